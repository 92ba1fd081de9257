// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#pragma once

// Helpers for tests that drive the real window by object name.

#include <QColor>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class QLineEdit;
class QMessageBox;
class QTableWidget;
class QTextEdit;
class Zelmora3;

// Collects every warning, critical or fatal message, except the two notices that come
// from the headless test platform itself.
class WarningCatcher
{
public:
    WarningCatcher();
    ~WarningCatcher();
    QStringList warnings() const;
};

// A fresh window over a fresh design state and document name, shown offscreen.
std::unique_ptr<Zelmora3> freshWindow(bool show = true);

template <typename T>
T *child(QWidget *window, const char *name)
{
    T *found = window->findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("no child %s", name);
    return found;
}

// Types `text` over the field's contents and finishes the edit with Return.
void typeAndReturn(QLineEdit *field, const QString &text);
// Replaces a table cell's text as a user's edit would.
void setCellText(QTableWidget *table, int row, int column, const QString &text);
QString cellText(QTableWidget *table, int row, int column);

QStringList logLines(QTextEdit *log);
// The text colour of a log paragraph; invalid where none was set.
QColor logLineColor(QTextEdit *log, int paragraph);

// Runs `answer` on the next modal message box as soon as it is open.
void answerMessageBox(std::function<void(QMessageBox *)> answer);
