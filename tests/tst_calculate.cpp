// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

// Calculate through the real window: what the user sees in the table, fields and log.
#include "design/designstate.h"
#include "mainwindow/zelmora3.h"
#include "windowtest.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>

namespace {

const QColor grey(0, 0, 0, 127), red(255, 0, 0), black(0, 0, 0), green(0, 127, 0), orange(255, 155, 0);

struct W
{
    std::unique_ptr<Zelmora3> window = freshWindow();
    QLineEdit *edit(const char *name) { return child<QLineEdit>(window.get(), name); }
    QTextEdit *log() { return child<QTextEdit>(window.get(), "textEdit"); }
    QTableWidget *table() { return child<QTableWidget>(window.get(), "tableWidget"); }
    QStringList lines() { return logLines(log()); }
    QList<QColor> colours()
    {
        QList<QColor> all;
        for (int i = 0; i < log()->document()->blockCount(); ++i)
            all << logLineColor(log(), i);
        return all;
    }
    void calculate() { QTest::mouseClick(child<QPushButton>(window.get(), "pushButton"), Qt::LeftButton); }
    QStringList headers()
    {
        QStringList all;
        for (int column = 0; column < table()->columnCount(); ++column) {
            const QTableWidgetItem *item = table()->horizontalHeaderItem(column);
            all << (item ? item->text() : QString::number(column + 1));
        }
        return all;
    }
    // The default design with a 12 V, 1 A secondary winding.
    void example() { setCellText(table(), 1, 0, "12"), setCellText(table(), 1, 1, "1"); }
};

} // namespace

class TestCalculate : public QObject
{
    Q_OBJECT

private slots:
    void example()
    {
        W w;
        w.example();
        w.calculate();
        const QStringList lines = w.lines();
        QCOMPARE(lines.size(), 7);
        QVERIFY(QRegularExpression("^-{16}<\\d\\d\\.\\d\\d\\.\\d\\d \\d\\d:\\d\\d:\\d\\d>-{15}$")
                    .match(lines.at(1))
                    .hasMatch());
        QCOMPARE(lines.mid(2), QStringList({
            "Общая мощность вторичных обмоток = 12 Вт.",
            "Расчётное произведение Sстали*Sокна : 6.09 см^4",
            "Расчитано для параметров: к.п.д.=0.91, f=50 Гц, Sст=6 см^2, Sок=15 см^2, Bm=1.4 Тл, j=5.96 А/мм^2.",
            "1 обмотка: u=220 В, i=0.06 А, n=1179.8, d=0.11 мм.",
            "2 обмотка: u=12 В, i=1 А, n=64.4, d=0.46 мм.",
        }));
        QCOMPARE(w.colours().mid(1), QList<QColor>({grey, black, green, black, black, black}));
        QCOMPARE(w.colours().at(1).alpha(), 127);
        QCOMPARE(w.headers(), QStringList({"Напряжение, В", "Ток, А", "Мощность, Вт", "Коли. витков", "Диам. пров., мм"}));
        const char *expected[2][5] = {{"220", "0.06", "13.19", "1179.8", "0.11"}, {"12", "1", "12", "64.4", "0.46"}};
        for (int row = 0; row < 2; ++row)
            for (int column = 0; column < 5; ++column)
                QCOMPARE(cellText(w.table(), row, column), QString::fromUtf8(expected[row][column]));
        QCOMPARE(w.edit("lineEdit_7")->text(), QStringLiteral("5.96"));
        QCOMPARE(w.edit("lineEdit_11")->text(), QStringLiteral("0.91"));
    }

    void keyboardMnemonic()
    {
        W w;
        w.example();
        const Qt::Key pe = Qt::Key(QChar(u'П').unicode()); // Alt+П, the button's mnemonic
        QTest::sendKeyEvent(QTest::Press, w.window->windowHandle(), pe, QStringLiteral("п"), Qt::AltModifier);
        QTest::sendKeyEvent(QTest::Release, w.window->windowHandle(), pe, QStringLiteral("п"), Qt::AltModifier);
        QTRY_COMPARE(w.lines().size(), 7); // a shortcut presses the button after a short delay

        const Qt::Key ka = Qt::Key(QChar(u'К').unicode()); // Alt+К: the number of windings
        QTest::sendKeyEvent(QTest::Press, w.window->windowHandle(), ka, QStringLiteral("к"), Qt::AltModifier);
        QTest::sendKeyEvent(QTest::Release, w.window->windowHandle(), ka, QStringLiteral("к"), Qt::AltModifier);
        QCOMPARE(w.window->focusWidget(), child<QSpinBox>(w.window.get(), "spinBox"));
    }

    void failureFocus_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("automatic"); // leave the field's automatic box checked
        QTest::newRow("efficiency") << "lineEdit_11" << "1.5"
                                    << "Некорректное значение к.п.д.! Необходимо к.п.д. не менее 0 и не более 1." << false;
        QTest::newRow("density") << "lineEdit_7" << "-3" << "Некоректное значение плотности тока в обмотках!" << false;
        QTest::newRow("plate") << "lineEdit_12" << "-0.2" << "Некоректное значение толщины пластин магнитопровода!" << true;
        QTest::newRow("induction") << "lineEdit_2" << "abc" << "Некоректное значение амплитуды магнитной индукции!" << true;
    }
    void failureFocus()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(bool, automatic);
        W w;
        w.example();
        if (!automatic) {
            QCheckBox *box = child<QCheckBox>(w.window.get(), field == "lineEdit_11" ? "checkBox_2" : "checkBox");
            QTest::mouseClick(box, Qt::LeftButton);
        }
        QLineEdit *edit = w.edit(qPrintable(field));
        edit->setText(text);
        w.calculate();
        QCOMPARE(w.lines().last(), message);
        QCOMPARE(w.colours().last(), red);
        QCOMPARE(w.window->focusWidget(), edit);
        QCOMPARE(edit->selectedText(), text);
        QCOMPARE(w.table()->columnCount(), field == "lineEdit_11" ? 2 : 3);
    }

    void primaryVoltageFailure()
    {
        W w;
        w.example();
        w.calculate();
        setCellText(w.table(), 0, 0, "-220");
        w.table()->selectAll();
        w.calculate();
        QCOMPARE(w.lines().last(), QStringLiteral("Некорректное напряжение первичной обмотки!"));
        QCOMPARE(w.colours().last(), red);
        QCOMPARE(w.window->focusWidget(), w.table());
        QCOMPARE(w.table()->columnCount(), 3);
        QList<QPair<int, int>> selected;
        for (const QModelIndex &index : w.table()->selectionModel()->selectedIndexes())
            selected << qMakePair(index.row(), index.column());
        QCOMPARE(selected, (QList<QPair<int, int>>{{0, 0}}));
    }

    void automaticValuesRewriteFields()
    {
        W w;
        w.example();
        w.edit("lineEdit_11")->setText("auto");
        w.calculate();
        QCOMPARE(w.edit("lineEdit_11")->text(), QStringLiteral("0.95"));
        QVERIFY(w.lines().at(4).contains("к.п.д.=0.95,"));

        // Density box cleared, text "auto": the field gets the computed density, and the
        // next run treats it as typed and recommends.
        QTest::mouseClick(child<QCheckBox>(w.window.get(), "checkBox"), Qt::LeftButton);
        w.edit("lineEdit_7")->setText("auto");
        w.calculate();
        QCOMPARE(w.edit("lineEdit_7")->text(), QStringLiteral("5.96"));
        const int before = int(w.lines().size());
        w.calculate();
        QCOMPARE(w.lines().at(before + 2), QStringLiteral("Рекомендуемая плотность тока в обмотках: 5.96 А/мм^2"));
        QCOMPARE(w.colours().at(before + 2), green);
    }

    void twoRunsKeepColoursAndClearLog()
    {
        W w;
        w.example();
        child<QLineEdit>(w.window.get(), "lineEdit_9")->setText("61");
        QTest::keyClick(w.edit("lineEdit_9"), Qt::Key_Return); // y1/y = 3.05: a warning
        w.calculate();
        const QList<QColor> first = w.colours();
        QVERIFY(first.contains(orange));
        w.edit("lineEdit_2")->setText("0");
        w.calculate();
        QCOMPARE(w.colours().mid(0, first.size()), first);
        QCOMPARE(w.colours().last(), red);
        QCOMPARE(w.colours().at(first.size()), grey);

        QTest::mouseClick(child<QPushButton>(w.window.get(), "pushButton_2"), Qt::LeftButton);
        w.calculate();
        QVERIFY(w.lines().first().startsWith("----------------<"));
        QCOMPARE(w.colours().first(), grey);
    }

    void coreTooSmallTakesTwoRedLines()
    {
        W w;
        w.example();
        typeAndReturn(w.edit("lineEdit_8"), "10");
        typeAndReturn(w.edit("lineEdit_9"), "10");
        typeAndReturn(w.edit("lineEdit_10"), "10");
        typeAndReturn(w.edit("lineEdit_13"), "34");
        w.calculate();
        const QStringList lines = w.lines();
        QCOMPARE(lines.at(lines.size() - 2),
                 QStringLiteral("У выбранного магнитопровода недостаточное произведение  Sстали*Sокна:  3 см^4 < 6.09 см^4."));
        QCOMPARE(lines.last(), QStringLiteral("Выберите больший магнитопровод или измените параметры трансформатора."));
        QCOMPARE(w.colours().mid(w.colours().size() - 2), QList<QColor>({red, red}));
        QCOMPARE(w.table()->columnCount(), 3);
    }

    void windingsChangeAfterARun()
    {
        W w;
        QSpinBox *count = child<QSpinBox>(w.window.get(), "spinBox");
        count->setValue(3);
        w.example();
        setCellText(w.table(), 2, 0, "24");
        w.calculate();
        QCOMPARE(w.lines().at(2), QStringLiteral("Проблема c 3-ой обмоткой, мощность = 0 Вт!"));
        QCOMPARE(w.colours().at(2), red);
        QCOMPARE(cellText(w.table(), 2, 4), QStringLiteral("0.01"));

        count->setValue(2);
        w.calculate();
        QCOMPARE(cellText(w.table(), 0, 2), QStringLiteral("13.19"));

        count->setValue(4); // the added rows have no results from before
        for (int row : {2, 3}) {
            QCOMPARE(cellText(w.table(), row, 0), QString());
            for (int column : {2, 3, 4})
                QCOMPARE(cellText(w.table(), row, column), QStringLiteral("<no item>"));
        }
        const QStringList log = w.lines();
        child<QAction>(w.window.get(), "action_4")->trigger(); // "Новый" leaves results alone
        QCOMPARE(w.lines(), log);
        QCOMPARE(cellText(w.table(), 1, 3), QStringLiteral("64.4"));
    }

    void negativeCellShowsNothingFromBefore()
    {
        W w;
        w.example();
        w.calculate();
        setCellText(w.table(), 1, 1, "-1");
        w.calculate();
        QCOMPARE(cellText(w.table(), 1, 2), QStringLiteral("0"));
        QCOMPARE(cellText(w.table(), 1, 1), QStringLiteral("-1"));
        QVERIFY(w.lines().last().startsWith("2 обмотка: u=12 В, i=0 А,"));
    }

    void logFollowsNewLines()
    {
        W w;
        w.example();
        for (int run = 0; run < 5; ++run)
            w.calculate();
        QScrollBar *bar = w.log()->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum());
        bar->setValue(0);
        typeAndReturn(w.edit("lineEdit_8"), "0"); // a refusal shows too
        QCOMPARE(bar->value(), bar->maximum());
    }

    void pulseTypeIsNotCalculated()
    {
        W w;
        w.example();
        child<QAction>(w.window.get(), "action_30")->trigger();
        w.calculate();
        QCOMPARE(w.lines().last(), QStringLiteral("Расчёт импульсных трансформаторов пока не реализован :("));
        QCOMPARE(w.colours().last(), red);
        QCOMPARE(w.table()->columnCount(), 2);
    }

    void refusedDimensionIsNotUsed()
    {
        W w;
        w.example();
        typeAndReturn(w.edit("lineEdit_10"), "-5");
        w.calculate();
        QVERIFY(w.lines().contains("Расчитано для параметров: к.п.д.=0.91, f=50 Гц, Sст=6 см^2, Sок=15 см^2, Bm=1.4 Тл, j=5.96 А/мм^2."));
    }
};

QTEST_MAIN(TestCalculate)
#include "tst_calculate.moc"
