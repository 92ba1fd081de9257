// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#pragma once

#include <QString>

// The one way numbers are read from and shown in fields, table cells and log lines.

// Reads a typed number: the system locale first, then the C locale; where the locale's
// decimal separator is a full stop, a single comma between digits reads as one too
// ("0,5"), unless the text could be digit grouping ("1,000"). Text that is not a
// finite single-precision number (empty text, words, "inf", "nan", "1e39") reads as 0
// and clears *ok.
float readNumber(const QString &text, bool *ok = nullptr);

// Shows a number: general format, 6 significant digits, full stop, no grouping
// ("0.91", "1.4", "1e-05", "1.23457e+06").
QString formatNumber(double value);

// Narrows a double result to single precision, saturating to infinity out of range.
float toSingle(double value);
