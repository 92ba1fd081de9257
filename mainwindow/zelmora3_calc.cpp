// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

// Calculate and Clear log.
#include "mainwindow/zelmora3.h"

#include "calc/calclog.h"
#include "calc/lfpass.h"
#include "design/designstate.h"
#include "design/numbers.h"
#include "ui_zelmora3.h"

#include <QTextCursor>

namespace {

QString cellText(const QTableWidget *table, int row, int column)
{
    const QTableWidgetItem *item = table->item(row, column);
    return item ? item->text() : QString();
}

} // namespace

void Zelmora3::on_pushButton_clicked()
{
    const QTableWidget *table = ui->tableWidget;
    LfPassInput input;
    input.now = QDateTime::currentDateTime();
    input.efficiencyText = ui->lineEdit_11->text();
    input.autoEfficiency = ui->checkBox_2->isChecked();
    const int rows = table->rowCount();
    input.voltageTexts.reserve(rows);
    input.currentTexts.reserve(rows);
    for (int row = 0; row < rows; ++row) {
        input.voltageTexts.append(cellText(table, row, 0));
        input.currentTexts.append(cellText(table, row, 1));
    }
    input.autoDensity = ui->checkBox->isChecked();
    input.densityText = ui->lineEdit_7->text();
    input.plateText = ui->lineEdit_12->text();
    input.inductionText = ui->lineEdit_2->text();

    applyPass(runLfPass(designState, input));
}

void Zelmora3::applyPass(const LfPassResult &result)
{
    QTableWidget *table = ui->tableWidget;
    // One edit block: the log lays itself out once per pass, not once per line.
    QTextCursor batch(ui->textEdit->document());
    batch.beginEditBlock();
    for (const PassStep &step : result.steps) {
        switch (step.kind) {
        case PassStep::Kind::Log:
            appendLog(ui->textEdit, step.line.colour, logLineText(step.line, result.stamp));
            break;
        case PassStep::Kind::ColumnCount:
            table->setColumnCount(step.column);
            break;
        case PassStep::Kind::Header:
            table->setHorizontalHeaderItem(step.column,
                                           new QTableWidgetItem(resultColumnHeader(step.column)));
            break;
        case PassStep::Kind::Cell:
            table->setItem(step.row, step.column, new QTableWidgetItem(formatNumber(step.value)));
            break;
        case PassStep::Kind::FieldText:
            if (step.field == PassField::Efficiency)
                ui->lineEdit_11->setText(automaticEfficiencyText());
            else
                ui->lineEdit_7->setText(formatNumber(step.value));
            break;
        case PassStep::Kind::Focus: {
            QLineEdit *field = nullptr;
            switch (step.field) {
            case PassField::Efficiency:
                field = ui->lineEdit_11;
                break;
            case PassField::Density:
                field = ui->lineEdit_7;
                break;
            case PassField::Plate:
                field = ui->lineEdit_12;
                break;
            case PassField::Induction:
                field = ui->lineEdit_2;
                break;
            case PassField::Table:
                break;
            }
            if (field) {
                field->setFocus(Qt::OtherFocusReason);
                field->selectAll();
                break;
            }
            table->setFocus(Qt::OtherFocusReason);
            QItemSelectionModel *selection = table->selectionModel();
            for (int row = 0; row < table->rowCount(); ++row)
                for (int column = 0; column < 3 && column < table->columnCount(); ++column)
                    selection->select(table->model()->index(row, column), QItemSelectionModel::Deselect);
            selection->select(table->model()->index(0, 0), QItemSelectionModel::Select);
            break;
        }
        }
    }
    batch.endEditBlock();
    showLatestLog(ui->textEdit);
}

void Zelmora3::on_pushButton_2_clicked()
{
    ui->textEdit->clear();
}
