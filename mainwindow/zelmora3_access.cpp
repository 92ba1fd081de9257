// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

// What screen readers hear: a name for every input, the table, the log and the core
// picture, built from the captions beside them, and a description where a field's
// meaning is not in its caption. Nothing here changes what is seen.
#include "mainwindow/zelmora3.h"

#include "ui_zelmora3.h"

namespace {

// A caption and its unit as one spoken name: "Частота:" and "Гц" give "Частота, Гц".
// The mnemonic marker and the closing colon go; the captions' plain-text notation for
// powers and products becomes the signs a reader pronounces.
QString spokenName(const QString &caption, const QString &unit = QString())
{
    QString name = caption;
    name.remove(QLatin1Char('&'));
    name = name.trimmed();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    if (!unit.isEmpty())
        name += QStringLiteral(", ") + unit;
    return name.replace(QStringLiteral("^2"), QStringLiteral("²"))
        .replace(QStringLiteral("^4"), QStringLiteral("⁴"))
        .replace(QLatin1Char('*'), QStringLiteral("×"));
}

QString dimensionName(const QLabel *letter, const QLabel *unit)
{
    return Zelmora3::tr("Размер %1").arg(letter->text()) + QStringLiteral(", ") + unit->text();
}

} // namespace

void Zelmora3::nameForAssistiveTech()
{
    Ui::Zelmora3 &f = *ui;
    // Where the platform reads a combo box's choice as its name, the description says
    // what is being chosen.
    f.comboBox->setAccessibleName(spokenName(f.label_4->text()));
    f.comboBox->setAccessibleDescription(tr("Тип трансформатора"));
    f.lineEdit_11->setAccessibleName(spokenName(f.label_24->text()));
    f.spinBox->setAccessibleName(spokenName(f.label_2->text()));
    f.lineEdit_7->setAccessibleName(spokenName(f.label_15->text(), f.label_16->text()));
    f.tableWidget->setAccessibleName(tr("Таблица обмоток"));
    f.textEdit->setAccessibleName(tr("Лог расчёта"));

    f.lineEdit_2->setAccessibleName(spokenName(f.label_5->text(), f.label_6->text()));
    f.lineEdit_3->setAccessibleName(spokenName(f.label_7->text(), f.label_8->text()));
    f.lineEdit_4->setAccessibleName(spokenName(f.label_9->text(), f.label_10->text()));
    f.lineEdit_5->setAccessibleName(spokenName(f.label_11->text(), f.label_12->text()));
    f.lineEdit_6->setAccessibleName(spokenName(f.label_13->text(), f.label_14->text()));
    f.lineEdit_12->setAccessibleName(spokenName(f.label_25->text(), f.label_26->text()));
    f.lineEdit_8->setAccessibleName(dimensionName(f.label_47, f.label_22));
    f.lineEdit_9->setAccessibleName(dimensionName(f.label_48, f.label_22));
    f.lineEdit_10->setAccessibleName(dimensionName(f.label_50, f.label_22));
    f.lineEdit_13->setAccessibleName(dimensionName(f.label_49, f.label_22));
    f.label_18->setAccessibleName(tr("Рисунок сердечника"));

    f.lineEdit_3->setAccessibleDescription(tr("Рассчитывается из размеров: Sст = y × y1, в см²"));
    f.lineEdit_4->setAccessibleDescription(
        tr("Рассчитывается из размеров: Sст × Sок = y × y1 × b × h, в см⁴"));
    f.checkBox_2->setAccessibleDescription(
        tr("Отмечено: к.п.д. выбирается автоматически, поле «К.п.д.» закрыто"));
    f.checkBox->setAccessibleDescription(
        tr("Отмечено: плотность тока рассчитывается, поле «Плотность тока» закрыто"));
    f.checkBox_3->setAccessibleDescription(
        tr("Отмечено: можно править индукцию, длину магнитной линии, массу, толщину пластин и "
           "размеры y, y1, b, h"));
    nameFrequencyField();
    describeCorePicture();
}

// The frequency's unit follows the transformer type.
void Zelmora3::nameFrequencyField()
{
    ui->lineEdit->setAccessibleName(spokenName(ui->label->text(), ui->label_3->text()));
}

// The picture shows the core of the caption above it.
void Zelmora3::describeCorePicture()
{
    ui->label_18->setAccessibleDescription(
        ui->label_17->text() + tr(". Сечение стержня y × y1, окно b × h, размеры в мм"));
}
