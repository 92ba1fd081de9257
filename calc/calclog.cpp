// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#include "calc/calclog.h"

#include <QScrollBar>
#include <QTextEdit>

QColor logColor(LogColour colour)
{
    const LogRgba rgba = logRgba(colour);
    QColor color;
    color.setRgb(rgba.red, rgba.green, rgba.blue, rgba.alpha);
    return color;
}

void appendLog(QTextEdit *log, LogColour colour, const QString &text)
{
    log->setTextColor(logColor(colour));
    log->append(text);
}

void showLatestLog(QTextEdit *log)
{
    QScrollBar *bar = log->verticalScrollBar();
    bar->setValue(bar->maximum());
}
