// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

// A random user drives the real window through its widgets; after every operation the
// program's invariants are checked. Reproducible: ZELMORA_SEED and ZELMORA_OPERATIONS
// choose the run; a failure names the seed, the operation and what it did.
#include "calc/calclog.h"
#include "design/coreformulas.h"
#include "design/designstate.h"
#include "design/numbers.h"
#include "mainwindow/zelmora3.h"
#include "windowtest.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QWheelEvent>

#include <cfloat>
#include <cmath>
#include <cstdlib>

namespace {

const QColor red(255, 0, 0, 255);

const QStringList calcFailures = {
    "Расчёт импульсных трансформаторов пока не реализован :(",
    "Некорректное значение к.п.д.! Необходимо к.п.д. не менее 0 и не более 1.",
    "Некорректное напряжение первичной обмотки!",
    "Некоректное значение плотности тока в обмотках!",
    "Некоректное значение толщины пластин магнитопровода!",
    "Некоректное значение амплитуды магнитной индукции!",
    "У выбранного магнитопровода недостаточное произведение  Sстали*Sокна:  ",
};

// What a plain C reading makes of a typed text: 1 a finite positive single-precision
// number, 0 surely not one (empty, no digit, zero or negative), -1 undecided (locale
// matters, or non-ASCII).
int plainlyPositive(const QString &text, double scale = 1.0)
{
    const QString trimmed = text.trimmed();
    bool ascii = true;
    bool digit = false;
    for (QChar c : trimmed) {
        ascii = ascii && c.unicode() < 128 && c.unicode() >= 32;
        digit = digit || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
    }
    if (!ascii)
        return -1;
    if (!digit)
        return trimmed.contains(QLatin1Char(',')) ? -1 : 0;
    const QByteArray latin = trimmed.toLatin1();
    char *end = nullptr;
    const double value = std::strtod(latin.constData(), &end);
    if (end != latin.constData() + latin.size() || latin.contains("0x") || latin.contains("0X"))
        return -1;
    if (value <= 0.0)
        return 0;
    return std::isfinite(value) && value * scale <= FLT_MAX && float(value) > 0.0f ? 1 : -1;
}

class RandomUser
{
public:
    RandomUser(quint64 seed, Zelmora3 *window) : m_rng(seed), m_seed(seed), m_window(window)
    {
        m_log = get<QTextEdit>("textEdit");
        m_table = get<QTableWidget>("tableWidget");
        m_spin = get<QSpinBox>("spinBox");
        m_seenBlocks = m_log->document()->blockCount();
    }

    QString failure;
    int calculations = 0, completed = 0, refusals = 0, boxes = 0;

    bool run(int operations)
    {
        for (m_operation = 1; m_operation <= operations; ++m_operation) {
            m_did.clear();
            step();
            QCoreApplication::processEvents(); // as the event loop would between two user actions
            if (m_trace)
                qInfo("%d: %s", m_operation, qPrintable(m_did));
            if (!check())
                return false;
        }
        return true;
    }

private:
    template <typename T>
    T *get(const char *name) { return child<T>(m_window, name); }
    QLineEdit *edit(const char *name) { return get<QLineEdit>(name); }
    int pick(int n) { return int(m_rng.bounded(n)); }
    bool chance(int percent) { return pick(100) < percent; }

    bool fail(const QString &what)
    {
        failure = QStringLiteral("seed %1, operation %2 (%3): %4").arg(m_seed).arg(m_operation).arg(m_did, what);
        return false;
    }

    QString randomText()
    {
        static const char *specials[] = {"inf", "-inf", "nan", "NaN", "1e39", "-1e39", "-0", "0", "1e-50",
                                         "3.4e38", "1e308", "0x10", "auto", "+", "-", ".", ",", "e", "1e",
                                         "--1", "1..2", "1,5", "0,91", "1 000", "  7  ", "+3", ".5", "5."};
        static const char *unicode[] = {"двадцать", "авто", "٣٤", "½", "²", "１２", "⚡", "١٠٠", "𝟙𝟚",
                                        "e\u0301", "\u202e12", "Ω", "∞", "−5", "12\u00a0"};
        switch (pick(14)) {
        case 0:
            return QString();
        case 1:
            return QString(pick(4) + 1, QLatin1Char(' '));
        case 2:
            return QString::fromLatin1(specials[pick(int(std::size(specials)))]);
        case 3:
            return QString::fromUtf8(unicode[pick(int(std::size(unicode)))]);
        case 4: {
            QString noise;
            for (int i = pick(6) + 1; i > 0; --i)
                noise += QChar(char16_t(pick(2) ? pick(32) : 0x7f));
            return QStringLiteral("1") + noise;
        }
        case 5:
            return QString(10000, QChar(char16_t(u'0' + pick(10))));
        case 6: {
            // a huge value whose products leave the single-precision range
            return QStringLiteral("%1e%2").arg(pick(9) + 1).arg(pick(40) + 10);
        }
        case 7: // a tiny one
            return QStringLiteral("%1e-%2").arg(pick(9) + 1).arg(pick(46) + 1);
        default: {
            // a plausible value, sometimes negative, with either decimal separator
            double value = std::pow(10.0, m_rng.generateDouble() * 5.0 - 2.0);
            if (chance(10))
                value = -value;
            QString text = QString::number(value, 'g', pick(5) + 1);
            if (chance(10))
                text.replace(QLatin1Char('.'), QLatin1Char(','));
            return text;
        }
        }
    }

    // Puts `text` into the field the way a user would: typed, or pasted when it is long or
    // not plain ASCII.
    void enter(QLineEdit *field, const QString &text)
    {
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
        bool printable = text.size() <= 40;
        for (QChar c : text)
            printable = printable && c.unicode() >= 32 && c.unicode() < 127;
        if (text.isEmpty())
            QTest::keyClick(field, Qt::Key_Delete);
        else if (printable)
            QTest::keyClicks(field, text);
        else
            field->insert(text);
    }

    void activate()
    {
        if (!m_window->isVisible())
            m_window->show();
        if (QApplication::activeWindow() != m_window) {
            m_window->activateWindow();
            (void)QTest::qWaitForWindowActive(m_window, 200);
        }
    }

    void step()
    {
        activate();
        const int choice = pick(100);
        if (choice < 34)
            typeIntoField();
        else if (choice < 56)
            typeIntoCell();
        else if (choice < 64)
            changeWindings();
        else if (choice < 68)
            clickCheckBox();
        else if (choice < 73)
            chooseType();
        else if (choice < 79)
            chooseCore();
        else if (choice < 90)
            calculate();
        else if (choice < 93)
            saneDesign();
        else if (choice < 96)
            otherCommand();
        else
            messageBox();
    }

    void typeIntoField()
    {
        static const char *fields[] = {"lineEdit",    "lineEdit_11", "lineEdit_7", "lineEdit_2",
                                       "lineEdit_5",  "lineEdit_6",  "lineEdit_8", "lineEdit_9",
                                       "lineEdit_10", "lineEdit_13", "lineEdit_12"};
        QLineEdit *field = edit(fields[pick(int(std::size(fields)))]);
        if (!field->isEnabled()) {
            m_did = field->objectName() + " is disabled";
            return;
        }
        const QString text = randomText();
        enter(field, text);
        const int ending = pick(10);
        m_did = QStringLiteral("%1 <- \"%2\" (%3 chars), %4")
                    .arg(field->objectName(), text.left(30))
                    .arg(text.size())
                    .arg(ending < 6 ? "Return" : ending < 9 ? "focus moves" : "left as is");
        const DesignState before = designState;
        const int blocks = m_log->document()->blockCount();
        if (ending < 6)
            QTest::keyClick(field, Qt::Key_Return);
        else if (ending < 9)
            m_table->setFocus(Qt::OtherFocusReason);
        m_expect = Expect{field, text, ending < 6, before, blocks};
        m_leftUnfinished = ending == 9 ? field : nullptr;
    }

    void typeIntoCell()
    {
        const int row = pick(m_table->rowCount());
        const int column = pick(100) < 85 ? pick(2) : pick(m_table->columnCount());
        const QString text = pick(3) ? QString::number(pick(400) * (chance(10) ? -1 : 1) / (pick(3) ? 1.0 : 10.0))
                                     : randomText();
        m_did = QStringLiteral("cell (%1, %2) <- \"%3\"").arg(row).arg(column).arg(text.left(30));
        const QModelIndex index = m_table->model()->index(row, column);
        if (chance(30)) {
            // through the cell editor, as typing does
            m_table->setFocus();
            m_table->setCurrentIndex(index);
            m_table->edit(index);
            if (auto *editor = qobject_cast<QLineEdit *>(m_table->indexWidget(index))) {
                editor->selectAll();
                editor->insert(text);
                QTest::keyClick(editor, Qt::Key_Return);
                return;
            }
        }
        m_table->model()->setData(index, text);
    }

    void changeWindings()
    {
        const int how = pick(6);
        const int before = m_spin->value();
        switch (how) {
        case 0:
        case 1:
            m_spin->setValue(chance(90) ? pick(5) + 2 : pick(98) + 2);
            break;
        case 2:
            m_spin->setFocus();
            QTest::keyClick(m_spin, chance(50) ? Qt::Key_Up : Qt::Key_Down);
            break;
        case 3:
            m_spin->setFocus();
            QTest::keyClick(m_spin, chance(50) ? Qt::Key_PageUp : Qt::Key_PageDown);
            break;
        case 4: {
            const QPointF at(m_spin->width() / 2.0, m_spin->height() / 2.0);
            QWheelEvent wheel(at, m_spin->mapToGlobal(at), QPoint(), QPoint(0, chance(50) ? 120 : -120),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(m_spin, &wheel);
            break;
        }
        default: {
            m_spin->setFocus();
            QLineEdit *line = m_spin->findChild<QLineEdit *>();
            line->selectAll();
            QTest::keyClicks(m_spin, QString::number(pick(120)));
            QTest::keyClick(m_spin, Qt::Key_Return);
            break;
        }
        }
        // Large tables make every later calculation slow; bring them back down soon.
        if (m_spin->value() > 20 && chance(50))
            m_spin->setValue(pick(4) + 2);
        m_did = QStringLiteral("windings %1 -> %2 (way %3)").arg(before).arg(m_spin->value()).arg(how);
    }

    void clickCheckBox()
    {
        static const char *boxes[] = {"checkBox", "checkBox_2", "checkBox_3"};
        QCheckBox *box = get<QCheckBox>(boxes[pick(3)]);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
        m_did = box->objectName() + (box->isChecked() ? " checked" : " cleared");
    }

    void chooseType()
    {
        if (chance(50)) {
            const char *name = chance(50) ? "action_21" : "action_30";
            get<QAction>(name)->trigger();
            m_did = name;
        } else {
            QComboBox *type = get<QComboBox>("comboBox");
            type->setFocus();
            QTest::keyClick(type, chance(50) ? Qt::Key_Down : Qt::Key_Up);
            m_did = QStringLiteral("type list -> %1").arg(type->currentIndex());
        }
    }

    void chooseCore()
    {
        static const char *actions[] = {"action_22", "action_31", "action_23", "action_11", "action_24",
                                        "action_25", "action_26", "action_17", "action_18", "action_19",
                                        "action_7",  "action_29", "action_20", "action_27", "action_28"};
        const char *name = actions[pick(int(std::size(actions)))];
        get<QAction>(name)->trigger();
        m_did = name;
    }

    void calculate()
    {
        m_cellsBefore.clear();
        for (int row = 0; row < m_table->rowCount(); ++row)
            for (int column = 1; column < m_table->columnCount(); ++column)
                m_cellsBefore[{row, column}] = cellText(m_table, row, column);
        m_fieldsBefore = {edit("lineEdit_11")->text(), edit("lineEdit_7")->text()};
        QTest::mouseClick(get<QPushButton>("pushButton"), Qt::LeftButton);
        m_calculated = true;
        ++calculations;
        m_did = QStringLiteral("Calculate with %1 windings").arg(m_table->rowCount());
    }

    // Now and then the user puts in a workable design, so that calculations get through.
    void saneDesign()
    {
        const char *values[][2] = {{"lineEdit_11", "0.9"}, {"lineEdit_7", "3"}, {"lineEdit_2", "1.2"},
                                   {"lineEdit_12", "0.35"}, {"lineEdit_8", "25"}, {"lineEdit_9", "40"},
                                   {"lineEdit_10", "30"}, {"lineEdit_13", "60"}};
        for (const auto &value : values) {
            QLineEdit *field = edit(value[0]);
            if (field->isEnabled()) {
                enter(field, QString::fromLatin1(value[1]));
                QTest::keyClick(field, Qt::Key_Return);
            }
        }
        m_table->model()->setData(m_table->model()->index(0, 0), QStringLiteral("230"));
        for (int row = 1; row < m_table->rowCount(); ++row) {
            m_table->model()->setData(m_table->model()->index(row, 0), QString::number(pick(48) + 1));
            m_table->model()->setData(m_table->model()->index(row, 1), QString::number((pick(30) + 1) / 10.0));
        }
        m_did = "a workable design";
    }

    void otherCommand()
    {
        switch (pick(4)) {
        case 0:
            get<QAction>("action_4")->trigger();
            m_did = "New";
            break;
        case 1:
            QTest::mouseClick(get<QPushButton>("pushButton_2"), Qt::LeftButton);
            m_did = "Clear log";
            break;
        case 2:
            QTest::mouseClick(get<QPushButton>("pushButton_3"), Qt::LeftButton);
            m_did = "Save log (does nothing)";
            break;
        default: {
            static const char *idle[] = {"action", "action_2", "action_3", "action_txt", "action_13",
                                         "action_14", "action_15", "action_16", "action_6", "action_12"};
            const char *name = idle[pick(int(std::size(idle)))];
            get<QAction>(name)->trigger();
            m_did = name;
        }
        }
    }

    void messageBox()
    {
        static const char *boxesActions[] = {"action_8", "action_9", "action_10", "action_5"};
        const char *name = boxesActions[pick(4)];
        const int answer = pick(4);
        answerMessageBox([answer](QMessageBox *box) {
            if (box->button(QMessageBox::Ok)) {
                box->button(QMessageBox::Ok)->click();
                return;
            }
            static const QMessageBox::StandardButton buttons[] = {QMessageBox::Save, QMessageBox::Discard,
                                                                  QMessageBox::Cancel};
            if (answer == 3)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->button(buttons[answer])->click();
        });
        get<QAction>(name)->trigger();
        ++boxes;
        m_did = QStringLiteral("%1, answer %2").arg(name).arg(answer);
    }

    // --- invariants ---

    QList<QPair<QColor, QString>> newLines()
    {
        QList<QPair<QColor, QString>> lines;
        QTextDocument *document = m_log->document();
        // An empty log has one empty paragraph, which the first append fills.
        if (m_seenBlocks > document->blockCount() || m_logWasEmpty)
            m_seenBlocks = 0;
        for (int i = m_seenBlocks; i < document->blockCount(); ++i) {
            const QTextBlock block = document->findBlockByNumber(i);
            if (!document->isEmpty())
                lines << qMakePair(logLineColor(m_log, i), block.text());
        }
        m_seenBlocks = document->blockCount();
        m_logWasEmpty = document->isEmpty();
        return lines;
    }

    bool check()
    {
        const DesignState &s = designState;
        if (!(s.windingCount == m_spin->value() && s.windingCount == m_table->rowCount()))
            return fail(QStringLiteral("windings %1, spin box %2, rows %3")
                            .arg(s.windingCount).arg(m_spin->value()).arg(m_table->rowCount()));
        if (s.windingCount < 2 || s.windingCount > 99)
            return fail(QStringLiteral("windings %1").arg(s.windingCount));
        for (float f : {s.lfFrequency, s.pulseFrequency})
            if (!(std::isfinite(f) && f > 0.0f))
                return fail(QStringLiteral("stored frequency %1").arg(f));
        if (s.frequency != (s.pulseMode ? s.pulseFrequency : s.lfFrequency))
            return fail(QStringLiteral("frequency %1 for the %2 type").arg(s.frequency).arg(s.pulseMode));
        if (get<QComboBox>("comboBox")->currentIndex() != int(s.pulseMode))
            return fail("the type list disagrees with the type");
        for (float d : {s.coreY, s.coreY1, s.coreB, s.coreH})
            if (!(std::isfinite(d) && d > 0.0f))
                return fail(QStringLiteral("core dimension %1").arg(d));
        if (edit("lineEdit_3")->text() != formatNumber(rectangleCm2(s.coreY, s.coreY1))
            || edit("lineEdit_4")->text() != formatNumber(coreAreaProductCm4(s.coreY, s.coreY1, s.coreB, s.coreH)))
            return fail(QStringLiteral("derived fields %1 and %2").arg(edit("lineEdit_3")->text(),
                                                                      edit("lineEdit_4")->text()));

        QList<QPair<QColor, QString>> lines = newLines();
        if (m_trace)
            for (const auto &line : lines)
                qInfo("    log: %s", qPrintable(line.second));
        for (const auto &line : lines)
            if (line.second.contains(QLatin1String("nan"), Qt::CaseInsensitive))
                return fail("log line shows nan: " + line.second);
        // A field left unfinished is checked when something else takes the focus: its one
        // refusal may come first in whatever the next operation wrote.
        if (m_pending && m_pending != m_expect.field && !lines.isEmpty() && lines.first().first == red
            && lines.first().second == refusalMessage(m_pending)) {
            lines.removeFirst();
            ++refusals;
        }
        if (m_pending && m_window->focusWidget() != m_pending)
            m_pending = nullptr;
        if (m_leftUnfinished) {
            m_pending = m_leftUnfinished;
            m_leftUnfinished = nullptr;
        }
        int redLines = 0;
        for (const auto &line : lines)
            redLines += line.first == red;

        if (m_expect.field) {
            const Expect expect = m_expect;
            m_expect = Expect{};
            if (!checkFieldEdit(expect, lines))
                return false;
        } else if (m_calculated) {
            m_calculated = false;
            if (!checkCalculation(lines))
                return false;
        } else if (redLines > 0) {
            return fail(QStringLiteral("%1 red lines from an operation that refuses nothing: %2 (frequency \"%3\", focus %4)")
                            .arg(redLines).arg(lines.first().second, edit("lineEdit")->text(), m_window->focusWidget() ? m_window->focusWidget()->objectName() : "none"));
        }
        return true;
    }

    static QString refusalMessage(const QLineEdit *field)
    {
        static const QMap<QString, QString> messages = {
            {"lineEdit", "Ошибка в частоте!"},          {"lineEdit_8", "Некоректное значение y!"},
            {"lineEdit_9", "Некоректное значение y1!"}, {"lineEdit_10", "Некоректное значение b!"},
            {"lineEdit_13", " Некоректное значение h!"}};
        return messages.value(field->objectName());
    }

    struct Expect
    {
        QLineEdit *field = nullptr;
        QString text;
        bool returnPressed = false;
        DesignState before;
        int blocks = 0;
    };

    bool checkFieldEdit(const Expect &e, const QList<QPair<QColor, QString>> &lines)
    {
        const QString name = e.field->objectName();
        const DesignState &s = designState;
        const bool dimension = name == "lineEdit_8" || name == "lineEdit_9" || name == "lineEdit_10"
                               || name == "lineEdit_13";
        const bool frequency = name == "lineEdit";
        if (!dimension && !frequency)
            return lines.isEmpty() || fail("a field without a check wrote to the log");
        if (lines.size() > 1)
            return fail(QStringLiteral("%1 lines for one edit").arg(lines.size()));
        const bool refused = lines.size() == 1;
        if (refused) {
            ++refusals;
            if (lines.first().first != red)
                return fail("a refusal that is not red");
            const QString message = lines.first().second;
            if (message != refusalMessage(e.field))
                return fail("refused with " + message);
            if (m_window->focusWidget() != e.field || e.field->selectedText() != e.field->text())
                return fail("a refused field without focus and selection");
            if (s.coreY != e.before.coreY || s.coreY1 != e.before.coreY1 || s.coreB != e.before.coreB
                || s.coreH != e.before.coreH || s.lfFrequency != e.before.lfFrequency
                || s.pulseFrequency != e.before.pulseFrequency)
                return fail("a refused value reached the design");
        }
        const int plain = plainlyPositive(e.text, frequency && e.before.pulseMode ? 1000.0 : 1.0);
        if (e.returnPressed && plain == 1 && refused)
            return fail("a plainly valid value was refused");
        if (e.returnPressed && plain == 0 && !refused)
            return fail("a plainly invalid value was accepted");
        return true;
    }

    bool checkCalculation(const QList<QPair<QColor, QString>> &lines)
    {
        if (lines.isEmpty() || !lines.first().second.startsWith(QLatin1String("----------------<")))
            return fail("a calculation without its separator: " + (lines.isEmpty() ? QString() : lines.first().second));
        int failures = 0;
        for (const auto &line : lines)
            for (const QString &message : calcFailures)
                failures += line.second.startsWith(message);
        if (failures > 1)
            return fail(QStringLiteral("%1 failure messages in one calculation").arg(failures));
        // Whatever the pass wrote into a field or cell is a number, never "nan".
        const QStringList fields = {edit("lineEdit_11")->text(), edit("lineEdit_7")->text()};
        for (int i = 0; i < 2; ++i)
            if (fields[i] != m_fieldsBefore[i] && fields[i].contains(QLatin1String("nan"), Qt::CaseInsensitive))
                return fail("a rewritten field shows nan");
        for (int row = 0; row < m_table->rowCount(); ++row)
            for (int column = 1; column < m_table->columnCount(); ++column) {
                const QString text = cellText(m_table, row, column);
                if (text != m_cellsBefore.value({row, column}) && text.contains(QLatin1String("nan"), Qt::CaseInsensitive))
                    return fail(QStringLiteral("cell (%1, %2) shows nan").arg(row).arg(column));
            }
        // A pass that got to the windings shows this run's values, none from an earlier run.
        bool total = false, summary = false;
        for (const auto &line : lines) {
            total = total || line.second.startsWith(QStringLiteral("Общая мощность"));
            summary = summary || line.second.startsWith(QStringLiteral("Расчитано для параметров"));
        }
        const DesignState &s = designState;
        if (total) {
            for (int row = 1; row < s.windingCount; ++row) {
                const float u = std::max(0.0f, readNumber(cellText(m_table, row, 0)));
                const float i = std::max(0.0f, readNumber(cellText(m_table, row, 1)));
                if (s.windingVoltage[row] != u || s.windingCurrent[row] != i)
                    return fail(QStringLiteral("row %1 kept U %2, I %3 instead of this run's %4, %5")
                                    .arg(row).arg(s.windingVoltage[row]).arg(s.windingCurrent[row]).arg(u).arg(i));
                if (cellText(m_table, row, 2) != formatNumber(double(u) * double(i)))
                    return fail(QStringLiteral("row %1 power cell %2").arg(row).arg(cellText(m_table, row, 2)));
            }
        }
        if (summary) {
            ++completed;
            if (m_table->columnCount() != 5)
                return fail("a complete pass without five columns");
            for (int row = 0; row < s.windingCount; ++row)
                if (cellText(m_table, row, 3) != formatNumber(s.windingTurns[row])
                    || cellText(m_table, row, 4) != formatNumber(s.wireDiameter[row]))
                    return fail(QStringLiteral("row %1 result cells").arg(row));
        }
        return true;
    }

    QRandomGenerator m_rng;
    quint64 m_seed;
    Zelmora3 *m_window;
    QTextEdit *m_log;
    QTableWidget *m_table;
    QSpinBox *m_spin;
    int m_operation = 0;
    const bool m_trace = qEnvironmentVariableIsSet("ZELMORA_TRACE");
    int m_seenBlocks = 0;
    bool m_logWasEmpty = false;
    QString m_did;
    Expect m_expect;
    QLineEdit *m_pending = nullptr;        // a field edit not finished yet
    QLineEdit *m_leftUnfinished = nullptr; // the one this operation left
    bool m_calculated = false;
    QMap<QPair<int, int>, QString> m_cellsBefore;
    QStringList m_fieldsBefore;
};

} // namespace

class TestRandomUser : public QObject
{
    Q_OBJECT

private slots:
    void randomUser_data()
    {
        QTest::addColumn<quint64>("seed");
        QTest::addColumn<int>("operations");
        const QByteArray seed = qgetenv("ZELMORA_SEED");
        const int operations = qEnvironmentVariableIsSet("ZELMORA_OPERATIONS")
                                   ? qEnvironmentVariableIntValue("ZELMORA_OPERATIONS")
                                   : 10000;
        if (!seed.isEmpty()) {
            QTest::newRow(seed.constData()) << seed.toULongLong() << operations;
            return;
        }
        for (quint64 fixed : {20261207ull, 4242ull})
            QTest::newRow(QByteArray::number(fixed).constData()) << fixed << operations;
    }
    void randomUser()
    {
        QFETCH(quint64, seed);
        QFETCH(int, operations);
        WarningCatcher catcher;
        auto window = freshWindow();
        RandomUser user(seed, window.get());
        const bool passed = user.run(operations);
        qInfo("seed %llu: %d operations, %d calculations (%d complete), %d refused edits, %d message boxes",
              seed, operations, user.calculations, user.completed, user.refusals, user.boxes);
        QVERIFY2(passed, qPrintable(user.failure));
        QCOMPARE(catcher.warnings(), QStringList());
    }
};

QTEST_MAIN(TestRandomUser)
#include "tst_randomuser.moc"
