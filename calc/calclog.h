// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#pragma once

#include "calc/logpalette.h"

#include <QColor>

class QString;
class QTextEdit;

// The log's palette colour as the text edit takes it.
QColor logColor(LogColour colour);

// The one way anything writes to the log: set the colour, then append one paragraph.
void appendLog(QTextEdit *log, LogColour colour, const QString &text);

// Scrolls the log to its newest line; writers call it once after what they appended.
void showLatestLog(QTextEdit *log);
