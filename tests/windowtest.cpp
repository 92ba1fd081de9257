// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#include "windowtest.h"

#include "design/designstate.h"
#include "design/documentname.h"
#include "mainwindow/zelmora3.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QMutex>
#include <QTableWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>

namespace {

QMutex caughtLock;
QStringList caught;
QtMessageHandler previousHandler = nullptr;

void catchWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtDebugMsg && type != QtInfoMsg
        && !message.contains(QLatin1String("This plugin does not support propagateSizeHints()"))
        && !message.contains(QLatin1String("XDG_RUNTIME_DIR not set"))) {
        QMutexLocker lock(&caughtLock);
        caught << message;
    }
    if (previousHandler)
        previousHandler(type, context, message);
}

} // namespace

WarningCatcher::WarningCatcher()
{
    QMutexLocker lock(&caughtLock);
    caught.clear();
    previousHandler = qInstallMessageHandler(catchWarnings);
}

WarningCatcher::~WarningCatcher()
{
    qInstallMessageHandler(previousHandler);
    previousHandler = nullptr;
}

QStringList WarningCatcher::warnings() const
{
    QMutexLocker lock(&caughtLock);
    return caught;
}

std::unique_ptr<Zelmora3> freshWindow(bool show)
{
    designState = DesignState{};
    documentName = QStringLiteral("trans");
    auto window = std::make_unique<Zelmora3>();
    if (show) {
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            qWarning("the window did not become active");
    }
    return window;
}

void typeAndReturn(QLineEdit *field, const QString &text)
{
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Delete);
    else
        QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

void setCellText(QTableWidget *table, int row, int column, const QString &text)
{
    QTableWidgetItem *item = table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        table->setItem(row, column, item);
    }
    item->setText(text);
}

QString cellText(QTableWidget *table, int row, int column)
{
    const QTableWidgetItem *item = table->item(row, column);
    return item ? item->text() : QStringLiteral("<no item>");
}

QStringList logLines(QTextEdit *log)
{
    const QString text = log->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

QColor logLineColor(QTextEdit *log, int paragraph)
{
    const QTextBlock block = log->document()->findBlockByNumber(paragraph);
    const QTextCharFormat format = block.begin().fragment().charFormat();
    if (!format.hasProperty(QTextFormat::ForegroundBrush))
        return QColor();
    return format.foreground().color();
}

void answerMessageBox(std::function<void(QMessageBox *)> answer)
{
    auto tries = std::make_shared<int>(0);
    auto attempt = std::make_shared<std::function<void()>>();
    *attempt = [answer, tries, attempt] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            answer(box);
            *attempt = nullptr; // break the cycle
            return;
        }
        if (++*tries > 500) {
            qWarning("no message box opened");
            *attempt = nullptr;
            return;
        }
        QTimer::singleShot(10, *attempt);
    };
    QTimer::singleShot(0, *attempt);
}
