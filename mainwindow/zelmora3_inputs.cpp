// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

// The input slots: core dimensions, transformer type and frequency, windings and the
// option boxes, core shape and material.
#include "mainwindow/zelmora3.h"

#include "calc/logpalette.h"
#include "calc/messagetexts.h"
#include "design/corecatalogue.h"
#include "design/designstate.h"
#include "design/frequency.h"
#include "design/numbers.h"
#include "ui_zelmora3.h"

#include <QPixmap>

// A dimension is accepted when it reads greater than 0; the derived fields then show
// the cross-section and area product of the last accepted four.
void Zelmora3::acceptDimension(QLineEdit *field, float *dimension, const QString &message)
{
    const float value = readNumber(field->text());
    if (!(value > 0.0f)) {
        refuse(field, message);
        return;
    }
    *dimension = value;
    const DesignState &s = designState;
    showCoreDerived(s.coreY, s.coreY1, s.coreB, s.coreH);
}

void Zelmora3::on_lineEdit_13_editingFinished()
{
    acceptDimension(ui->lineEdit_13, &designState.coreH, refusalText(Refusal::CoreH));
}

void Zelmora3::on_lineEdit_10_editingFinished()
{
    acceptDimension(ui->lineEdit_10, &designState.coreB, refusalText(Refusal::CoreB));
}

void Zelmora3::on_lineEdit_9_editingFinished()
{
    acceptDimension(ui->lineEdit_9, &designState.coreY1, refusalText(Refusal::CoreY1));
}

void Zelmora3::on_lineEdit_8_editingFinished()
{
    acceptDimension(ui->lineEdit_8, &designState.coreY, refusalText(Refusal::CoreY));
}

// Shows the stored frequency of the current type and makes it the working one.
void Zelmora3::showTypeFrequency()
{
    DesignState &s = designState;
    if (s.pulseMode) {
        ui->lineEdit->setText(formatNumber(s.pulseFrequency / 1000.0f));
        ui->label_3->setText(tr("кГц"));
        s.frequency = s.pulseFrequency;
    } else {
        ui->lineEdit->setText(formatNumber(s.lfFrequency));
        ui->label_3->setText(tr("Гц"));
        s.frequency = s.lfFrequency;
    }
    nameFrequencyField();
}

void Zelmora3::on_comboBox_activated(int index)
{
    designState.pulseMode = index == 1;
    showTypeFrequency();
}

void Zelmora3::on_action_21_activated()
{
    designState.pulseMode = false;
    ui->comboBox->setCurrentIndex(0);
    showTypeFrequency();
}

void Zelmora3::on_action_30_activated()
{
    designState.pulseMode = true;
    ui->comboBox->setCurrentIndex(1);
    showTypeFrequency();
}

// The frequency is typed in Hz for the sine type and in kHz for the pulse type.
void Zelmora3::on_lineEdit_editingFinished()
{
    DesignState &s = designState;
    const std::optional<float> hertz = typedFrequencyHz(ui->lineEdit->text(), s.pulseMode);
    if (!hertz) {
        refuse(ui->lineEdit, refusalText(Refusal::Frequency));
        return;
    }
    (s.pulseMode ? s.pulseFrequency : s.lfFrequency) = *hertz;
    s.frequency = *hertz;
}

// The table follows the number of windings; added rows start empty and forget what an
// earlier calculation stored for them.
void Zelmora3::on_spinBox_valueChanged(int)
{
    DesignState &s = designState;
    const int previous = s.windingCount;
    s.windingCount = ui->spinBox->value();
    QTableWidget *table = ui->tableWidget;
    table->setRowCount(s.windingCount);
    for (int row = previous; row < s.windingCount; ++row) {
        table->setItem(row, 0, new QTableWidgetItem(QString()));
        table->setItem(row, 1, new QTableWidgetItem(QString()));
    }
    for (int row = previous; row < s.windingCount; ++row) {
        s.windingVoltage[row] = 0.0f;
        s.windingCurrent[row] = 0.0f;
    }
}

void Zelmora3::on_checkBox_3_stateChanged(int)
{
    const bool editable = ui->checkBox_3->isChecked();
    for (QLineEdit *field : {ui->lineEdit_2, ui->lineEdit_5, ui->lineEdit_6, ui->lineEdit_8,
                             ui->lineEdit_9, ui->lineEdit_10, ui->lineEdit_12, ui->lineEdit_13})
        field->setEnabled(editable);
}

void Zelmora3::on_checkBox_2_stateChanged(int)
{
    ui->lineEdit_11->setEnabled(!ui->checkBox_2->isChecked());
}

void Zelmora3::on_checkBox_stateChanged(int)
{
    ui->lineEdit_7->setEnabled(!ui->checkBox->isChecked());
}

void Zelmora3::chooseShape(CoreShapeId shape)
{
    const CoreShape chosen = coreShape(shape);
    ui->label_17->setText(captionWithShape(ui->label_17->text(), tr(chosen.caption)));
    showCorePicture(chosen.picture);
    describeCorePicture();
}

void Zelmora3::chooseMaterial(CoreMaterialId material)
{
    ui->label_17->setText(captionWithMaterial(ui->label_17->text(), tr(coreMaterialWord(material))));
    describeCorePicture();
}

void Zelmora3::on_action_22_activated()
{
    chooseShape(CoreShapeId::U);
}

void Zelmora3::on_action_31_activated()
{
    chooseShape(CoreShapeId::UTape);
}

void Zelmora3::on_action_23_activated()
{
    chooseShape(CoreShapeId::E);
}

void Zelmora3::on_action_11_activated()
{
    chooseShape(CoreShapeId::ETape);
}

void Zelmora3::on_action_24_activated()
{
    chooseShape(CoreShapeId::Ring);
}

void Zelmora3::on_action_25_activated()
{
    chooseShape(CoreShapeId::Pot);
}

void Zelmora3::on_action_26_activated()
{
    chooseShape(CoreShapeId::Other);
}

void Zelmora3::on_action_17_activated()
{
    chooseMaterial(CoreMaterialId::Steel);
}

void Zelmora3::on_action_18_activated()
{
    chooseMaterial(CoreMaterialId::Ferrite);
}

void Zelmora3::on_action_19_activated()
{
    chooseMaterial(CoreMaterialId::Alsifer);
}

void Zelmora3::on_action_7_activated()
{
    chooseMaterial(CoreMaterialId::Permalloy);
}

void Zelmora3::on_action_29_activated()
{
    chooseMaterial(CoreMaterialId::Powder);
}

void Zelmora3::on_action_20_activated()
{
    chooseMaterial(CoreMaterialId::Other);
}
