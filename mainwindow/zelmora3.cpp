// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#include "mainwindow/zelmora3.h"

#include "calc/calclog.h"
#include "calc/messagetexts.h"
#include "design/coreformulas.h"
#include "design/designstate.h"
#include "design/documentname.h"
#include "design/numbers.h"
#include "mainwindow/formlook.h"
#include "mainwindow/pictures.h"
#include "mainwindow/slotconnect.h"
#include "mainwindow/tableescape.h"
#include "ui_zelmora3.h"
#include "zelmora/version.h"

#include <QLabel>
#include <QMessageBox>
#include <QPalette>
#include <QPixmap>
#include <QPointer>
#include <QStatusBar>
#include <QTableWidgetItem>
#ifdef Q_OS_WASM
#include <QApplication>
#include <QKeyEvent>
#endif

namespace {

// The status-bar label that shows the document name; the window owns it.
QPointer<QLabel> statusLabel;

void setCell(QTableWidget *table, int row, int column, const QString &text)
{
    table->setItem(row, column, new QTableWidgetItem(text));
}

#ifdef Q_OS_WASM
// In a browser typed characters reach the focused widget as input-method text, not with
// their key presses. The table opens a cell's editor on such text, as on a key press, but
// drops the text, so that "12" typed over a cell became "2". Here the table gets the text
// as the key presses it stands for: the first opens the editor and is typed into it.
class TypedOverCell : public QObject
{
public:
    explicit TypedOverCell(QTableWidget *table) : QObject(table), table(table)
    {
        table->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != table || event->type() != QEvent::InputMethod)
            return false;
        const auto *input = static_cast<QInputMethodEvent *>(event);
        if (input->commitString().isEmpty() || !input->preeditString().isEmpty()
            || input->replacementLength() != 0)
            return false;
        for (const QChar c : input->commitString()) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : table,
                                        &press);
        }
        event->accept();
        return true;
    }

private:
    QTableWidget *table;
};
#endif

} // namespace

Zelmora3::Zelmora3(QWidget *parent) : QMainWindow(parent), ui(new Ui::Zelmora3)
{
    ui->setupUi(this);
    // The form's own font, set on the window itself: a desktop that later gives the
    // application its own (larger) font cannot cut the captions of the fixed form.
    setFont(formFont());
    // The log's colours are fixed, so its background is light under a dark palette too.
    QPalette paper = ui->textEdit->palette();
    paper.setColor(QPalette::Base, Qt::white);
    paper.setColor(QPalette::Text, Qt::black);
    ui->textEdit->setPalette(paper);
    connectSlotsByObjectName(this);
    applyStartContents();
    // Keyboard users get out of the windings table and the log with Tab as from any field.
    letTabLeaveTable(ui->tableWidget);
    ui->textEdit->setTabChangesFocus(true);
#ifdef Q_OS_WASM
    new TypedOverCell(ui->tableWidget);
#endif
    nameForAssistiveTech();
}

Zelmora3::~Zelmora3()
{
    delete ui;
}

void Zelmora3::applyStartContents()
{
    DesignState &s = designState;
    ui->textEdit->append(QStringLiteral(ZELMORA_BANNER));
    ui->spinBox->setValue(DesignState::defaultWindingCount);

    ui->lineEdit_11->setText(formatNumber(DesignState::defaultEfficiency));
    ui->lineEdit_2->setText(formatNumber(DesignState::defaultInduction));
    ui->lineEdit_8->setText(formatNumber(DesignState::defaultCoreY));
    ui->lineEdit_9->setText(formatNumber(DesignState::defaultCoreY1));
    ui->lineEdit_10->setText(formatNumber(DesignState::defaultCoreB));
    ui->lineEdit_13->setText(formatNumber(DesignState::defaultCoreH));
    showCoreDerived(DesignState::defaultCoreY, DesignState::defaultCoreY1, DesignState::defaultCoreB,
                    DesignState::defaultCoreH);
    ui->lineEdit_12->setText(formatNumber(DesignState::defaultPlateThickness));
    ui->lineEdit_3->setEnabled(false);
    ui->lineEdit_4->setEnabled(false);

    s.coreY = readNumber(ui->lineEdit_8->text());
    s.coreY1 = readNumber(ui->lineEdit_9->text());
    s.coreB = readNumber(ui->lineEdit_10->text());
    s.coreH = readNumber(ui->lineEdit_13->text());

    QTableWidget *table = ui->tableWidget;
    table->setRowCount(DesignState::defaultWindingCount);
    table->setColumnCount(2);
    for (int row = 0; row < table->rowCount(); ++row) {
        setCell(table, row, 0, QString());
        setCell(table, row, 1, QString());
    }
    setCell(table, 0, 1, tr("(посчитается)"));

    statusLabel = new QLabel(this);
    add_status_Bar();

    // The window is always built for the low-frequency type.
    ui->lineEdit->setText(formatNumber(s.lfFrequency));
    ui->label_3->setText(tr("Гц"));
    setCell(table, 0, 0, formatNumber(DesignState::defaultPrimaryVoltageLf));
    s.frequency = s.lfFrequency;

    showCorePicture("img/E-core.png");
}

// The cross-section and the area product that the four core dimensions give.
void Zelmora3::showCoreDerived(float y, float y1, float b, float h)
{
    ui->lineEdit_3->setText(formatNumber(rectangleCm2(y, y1)));
    ui->lineEdit_4->setText(formatNumber(coreAreaProductCm4(y, y1, b, h)));
}

void Zelmora3::add_status_Bar()
{
    if (!statusLabel)
        return;
    if (statusLabel->parentWidget() != statusBar())
        statusBar()->addWidget(statusLabel, 0);
    statusLabel->setText(documentStatusText(documentName));
}

void Zelmora3::log(LogColour colour, const QString &text)
{
    appendLog(ui->textEdit, colour, text);
    showLatestLog(ui->textEdit);
}

void Zelmora3::refuse(QLineEdit *field, const QString &message)
{
    log(LogColour::Red, message);
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}

void Zelmora3::showCorePicture(const char *path)
{
    QLabel *place = ui->label_18;
    const QPixmap picture = loadPicture(QString::fromLatin1(path), place->devicePixelRatioF());
    place->resize(picture.deviceIndependentSize().toSize());
    place->setPixmap(picture);
}

// "Новый": the next document name in the status bar; nothing else changes.
void Zelmora3::on_action_4_activated()
{
    documentName = nextDocumentName(documentName);
    add_status_Bar();
}

// "Выход": only an explicit "don't save" closes the window; Save is not implemented,
// and Cancel (or closing the question) keeps the design on screen.
void Zelmora3::on_action_8_activated()
{
    QMessageBox question;
    question.setIcon(QMessageBox::Question);
    question.setText(exitQuestionText());
    question.setInformativeText(exitQuestionDetail());
    question.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    question.setDefaultButton(QMessageBox::Save);
    if (question.exec() == QMessageBox::Discard)
        close();
}

namespace {

void inform(QMessageBox::Icon icon, const QString &text)
{
    QMessageBox box;
    box.setIcon(icon);
    box.setText(text);
    box.exec();
}

} // namespace

// "О программе"
void Zelmora3::on_action_9_activated()
{
    inform(QMessageBox::Information, aboutText());
}

// "Справка"
void Zelmora3::on_action_10_activated()
{
    inform(QMessageBox::Information, helpText());
}

// "Поддержать программу"
void Zelmora3::on_action_5_activated()
{
    inform(QMessageBox::Question, supportText());
}
