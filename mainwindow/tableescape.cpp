// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#include "mainwindow/tableescape.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QStyledItemDelegate>
#include <QTableWidget>

namespace {

enum class Leave { No, Forward, Backward };

// Whether a key press leaves the table from its current cell, and which way.
Leave leaving(const QTableWidget *table, const QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !table->tabKeyNavigation())
        return Leave::No;
    const auto *key = static_cast<const QKeyEvent *>(event);
    const bool backward = key->key() == Qt::Key_Backtab
                          || (key->key() == Qt::Key_Tab && key->modifiers() & Qt::ShiftModifier);
    if (!backward && key->key() != Qt::Key_Tab)
        return Leave::No;
    if (key->modifiers() & Qt::ControlModifier)
        return backward ? Leave::Backward : Leave::Forward;
    const int row = table->currentRow(), column = table->currentColumn();
    if (row < 0 || column < 0)
        return Leave::No;
    if (backward)
        return row == 0 && column == 0 ? Leave::Backward : Leave::No;
    return row == table->rowCount() - 1 && column == table->columnCount() - 1 ? Leave::Forward
                                                                               : Leave::No;
}

// Moves the focus out of the table along the window's own focus chain: with cell
// navigation off for a moment, a plain Tab takes the toolkit's usual path to the next
// (or previous) widget.
void leave(QTableWidget *table, Leave direction)
{
    table->setTabKeyNavigation(false);
    QKeyEvent tab(QEvent::KeyPress, direction == Leave::Forward ? Qt::Key_Tab : Qt::Key_Backtab,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(table, &tab);
    table->setTabKeyNavigation(true);
}

// Key presses on the table itself, while no cell is being edited.
class TableKeys : public QObject
{
public:
    explicit TableKeys(QTableWidget *table) : QObject(table), table(table) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const Leave direction = leaving(table, event);
        if (watched != table || direction == Leave::No)
            return QObject::eventFilter(watched, event);
        leave(table, direction);
        return true;
    }

private:
    QTableWidget *table;
};

// Key presses in a cell editor: the edit is kept, the editor closed, and the focus
// leaves the table instead of wrapping round to the first cell.
class EditorKeys : public QStyledItemDelegate
{
public:
    explicit EditorKeys(QTableWidget *table) : QStyledItemDelegate(table), table(table) {}

    bool eventFilter(QObject *object, QEvent *event) override
    {
        const Leave direction = leaving(table, event);
        auto *editor = qobject_cast<QWidget *>(object);
        if (!editor || direction == Leave::No)
            return QStyledItemDelegate::eventFilter(object, event);
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
        leave(table, direction);
        return true;
    }

private:
    QTableWidget *table;
};

} // namespace

void letTabLeaveTable(QTableWidget *table)
{
    table->installEventFilter(new TableKeys(table));
    table->setItemDelegate(new EditorKeys(table));
}
