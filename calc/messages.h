// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#pragma once

#include "calc/logpalette.h"

#include <QDateTime>
#include <QString>

#include <array>

// The calculation's log lines are kept as a message and its numbers until they are
// shown, so that the pass itself does no text formatting.
enum class CalcMessage {
    Separator,
    PulseNotImplemented,
    BadEfficiency,
    WindingProblem,      // winding number, power
    TotalSecondaryPower, // rounded total
    BadPrimaryVoltage,
    RecommendedDensity, // automatic density
    BadDensity,
    BadPlateThickness,
    BadInduction,
    RequiredAreaProduct, // required Sst*Sok
    CoreTooSmall,        // Sst*Sok rounded to a whole number, required Sst*Sok
    BadProportion,       // y1 / y
    Summary,             // f, Sst, Sok, Bm, j, efficiency
    WindingResult,       // winding number, U, I, turns, diameter
};

struct LogLine
{
    LogColour colour;
    CalcMessage message;
    std::array<double, 6> numbers; // in marker order (%1 first)
};

// The text of a log line; `stamp` fills the run separator.
QString logLineText(const LogLine &line, const QDateTime &stamp);

// The run separator for a moment: "----------------<dd.MM.yy hh:mm:ss>---------------".
QString runSeparator(const QDateTime &stamp);

// Headers the calculation gives the windings table's result columns 2, 3 and 4.
QString resultColumnHeader(int column);

// What the efficiency field is set to when the automatic efficiency is used.
QString automaticEfficiencyText();
