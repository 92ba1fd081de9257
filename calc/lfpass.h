// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#pragma once

#include "calc/messages.h"
#include "design/designstate.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

// The low-frequency transformer calculation as a plain function: it takes the texts of
// the fields and cells it reads and the check states, updates the working values of the
// design state, and returns, in order, everything the window has to show.

struct LfPassInput
{
    QDateTime now;
    QString efficiencyText;    // lineEdit_11
    bool autoEfficiency = true; // checkBox_2 checked
    QStringList voltageTexts;  // column 0, one per winding
    QStringList currentTexts;  // column 1, one per winding
    bool autoDensity = true;   // checkBox checked
    QString densityText;       // lineEdit_7
    QString plateText;         // lineEdit_12
    QString inductionText;     // lineEdit_2
};

enum class PassField { Efficiency, Density, Plate, Induction, Table };

struct PassStep
{
    enum class Kind : std::uint8_t {
        Log,         // append `line`
        ColumnCount, // set the table's column count to `column`
        Header,      // give `column` its result header
        Cell,        // write `value` into (`row`, `column`)
        FieldText,   // rewrite `field`: the automatic efficiency, or `value` for the density
        Focus,       // focus `field` and select its text (the table: cell (0, 0))
    };
    Kind kind;
    PassField field = PassField::Table;
    int row = 0;
    int column = 0;
    double value = 0.0;
    LogLine line{};
};

struct LfPassResult
{
    QDateTime stamp;
    std::vector<PassStep> steps;
    bool completed = false; // every winding was worked out
};

// The rounding of displayed and stored results: to hundredths, or to thousandths
// below 0.01, or not at all below 0.001.
float roundForDisplay(float x);

LfPassResult runLfPass(DesignState &state, const LfPassInput &input);
