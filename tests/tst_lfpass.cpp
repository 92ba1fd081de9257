// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#include "calc/lfpass.h"
#include "design/numbers.h"

#include <QTest>

#include <cmath>

Q_DECLARE_METATYPE(PassField)

namespace {

// What one pass asks the window to show, in a form that is easy to compare.
struct Shown
{
    LfPassResult result;
    QStringList lines;
    QList<LogColour> colours;
    QMap<QPair<int, int>, QString> cells;
    QList<int> columnCounts;
    QStringList efficiencyField; // texts the efficiency field is rewritten with
    QStringList densityField;
    QList<PassField> focus;

    QString cell(int row, int column) const { return cells.value({row, column}, QStringLiteral("-")); }
    int count(LogColour colour) const { return int(colours.count(colour)); }
};

Shown show(const LfPassResult &result)
{
    Shown shown;
    shown.result = result;
    for (const PassStep &step : result.steps) {
        switch (step.kind) {
        case PassStep::Kind::Log:
            shown.lines << logLineText(step.line, result.stamp);
            shown.colours << step.line.colour;
            break;
        case PassStep::Kind::ColumnCount:
            shown.columnCounts << step.column;
            break;
        case PassStep::Kind::Header:
            break;
        case PassStep::Kind::Cell:
            shown.cells[{step.row, step.column}] = formatNumber(step.value);
            break;
        case PassStep::Kind::FieldText:
            if (step.field == PassField::Efficiency)
                shown.efficiencyField << automaticEfficiencyText();
            else
                shown.densityField << formatNumber(step.value);
            break;
        case PassStep::Kind::Focus:
            shown.focus << step.field;
            break;
        }
    }
    return shown;
}

// The start design with one 12 V, 1 A secondary winding.
struct Example
{
    DesignState state;
    LfPassInput input;

    Example()
    {
        state.frequency = 50.0f;
        state.coreY = 20.0f;
        state.coreY1 = 30.0f;
        state.coreB = 30.0f;
        state.coreH = 50.0f;
        state.windingCount = 2;
        input.now = QDateTime(QDate(2026, 12, 6), QTime(6, 13, 6));
        input.efficiencyText = QStringLiteral("0.91");
        input.autoEfficiency = true;
        input.voltageTexts = QStringList{"220", "12"};
        input.currentTexts = QStringList{"(посчитается)", "1"};
        input.autoDensity = true;
        input.densityText = QStringLiteral("auto");
        input.plateText = QStringLiteral("0.2");
        input.inductionText = QStringLiteral("1.4");
    }

    void windings(const QStringList &voltages, const QStringList &currents)
    {
        state.windingCount = int(voltages.size());
        input.voltageTexts = voltages;
        input.currentTexts = currents;
    }
    // One secondary that draws `power` watts.
    void load(double power)
    {
        windings({"220", formatNumber(power)}, {"", "1"});
        input.efficiencyText = QStringLiteral("1");
    }
    Shown run() { return show(runLfPass(state, input)); }
};

} // namespace

class TestLfPass : public QObject
{
    Q_OBJECT

private slots:
    void roundForDisplay_data()
    {
        QTest::addColumn<float>("x");
        QTest::addColumn<float>("rounded");
        QTest::newRow("primary power") << 13.186813f << 13.19f;
        QTest::newRow("hundredths, half up") << 0.125f << 0.13f;
        QTest::newRow("small current") << 0.0567f << 0.06f;
        QTest::newRow("at 0.01") << 0.01f << 0.01f;
        QTest::newRow("thousandths") << 0.0054f << 0.005f;
        QTest::newRow("at 0.001") << 0.001f << 0.001f;
        QTest::newRow("below 0.001") << 0.0004f << 0.0004f;
        QTest::newRow("zero") << 0.0f << 0.0f;
        QTest::newRow("whole") << 12.0f << 12.0f;
        QTest::newRow("negative") << -0.5f << -0.5f;
        QTest::newRow("small negative") << -0.004f << -0.0f;
    }
    void roundForDisplay()
    {
        QFETCH(float, x);
        QFETCH(float, rounded);
        QCOMPARE(::roundForDisplay(x), rounded);
    }

    void separator()
    {
        QCOMPARE(runSeparator(QDateTime(QDate(2026, 12, 6), QTime(6, 13, 6))),
                 QStringLiteral("----------------<06.12.26 06:13:06>---------------"));
        QCOMPARE(runSeparator(QDateTime(QDate(2027, 1, 2), QTime(23, 5, 9))),
                 QStringLiteral("----------------<02.01.27 23:05:09>---------------"));
    }

    void example()
    {
        Example e;
        const Shown s = e.run();
        QVERIFY(s.result.completed);
        QCOMPARE(s.lines, QStringList({
            "----------------<06.12.26 06:13:06>---------------",
            "Общая мощность вторичных обмоток = 12 Вт.",
            "Расчётное произведение Sстали*Sокна : 6.09 см^4",
            "Расчитано для параметров: к.п.д.=0.91, f=50 Гц, Sст=6 см^2, Sок=15 см^2, Bm=1.4 Тл, "
            "j=5.96 А/мм^2.",
            "1 обмотка: u=220 В, i=0.06 А, n=1179.8, d=0.11 мм.",
            "2 обмотка: u=12 В, i=1 А, n=64.4, d=0.46 мм.",
        }));
        QCOMPARE(s.colours, QList<LogColour>({LogColour::Grey, LogColour::Black, LogColour::Green,
                                              LogColour::Black, LogColour::Black, LogColour::Black}));
        QCOMPARE(s.columnCounts, QList<int>({3, 5}));
        QCOMPARE(s.cell(1, 2), QStringLiteral("12"));
        QCOMPARE(s.cell(0, 2), QStringLiteral("13.19"));
        QCOMPARE(s.cell(0, 1), QStringLiteral("0.06"));
        QCOMPARE(s.cell(0, 3), QStringLiteral("1179.8"));
        QCOMPARE(s.cell(0, 4), QStringLiteral("0.11"));
        QCOMPARE(s.cell(1, 3), QStringLiteral("64.4"));
        QCOMPARE(s.cell(1, 4), QStringLiteral("0.46"));
        QCOMPARE(s.cell(1, 1), QStringLiteral("-")); // typed cells are never rewritten
        QCOMPARE(s.densityField, QStringList({"5.96"}));
        QVERIFY(s.efficiencyField.isEmpty());
        QVERIFY(s.focus.isEmpty());

        QCOMPARE(e.state.efficiency, 0.91f);
        QCOMPARE(e.state.secondaryPower, 12.0f);
        QCOMPARE(e.state.currentDensity, 5.96f);
        QCOMPARE(e.state.requiredAreaProduct, 6.09f);
        QCOMPARE(e.state.coreSectionArea, 6.0f);
        QCOMPARE(e.state.windowArea, 15.0f);
        QCOMPARE(e.state.plateThickness, 0.2f);
        QCOMPARE(e.state.induction, 1.4f);
        QCOMPARE(e.state.windingCurrent[0], 0.06f);
        QCOMPARE(e.state.windingTurns[0], 1179.8f);
        QCOMPARE(e.state.wireDiameter[1], 0.46f);
    }

    void failures_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<PassField>("focus");
        QTest::addColumn<int>("columns"); // the last column count asked for, 0 for none

        const QString efficiency = "Некорректное значение к.п.д.! Необходимо к.п.д. не менее 0 и не более 1.";
        for (const char *text : {"auto", "0", "1.01", "-0.5", ""})
            QTest::newRow(qPrintable(QStringLiteral("efficiency %1").arg(text)))
                << "efficiency" << text << efficiency << PassField::Efficiency << 0;
        const QString voltage = "Некорректное напряжение первичной обмотки!";
        for (const char *text : {"0", "-220", "abc", "", "inf"})
            QTest::newRow(qPrintable(QStringLiteral("voltage %1").arg(text)))
                << "voltage" << text << voltage << PassField::Table << 3;
        const QString density = "Некоректное значение плотности тока в обмотках!";
        for (const char *text : {"0", "abc", "-2", "nan"})
            QTest::newRow(qPrintable(QStringLiteral("density %1").arg(text)))
                << "density" << text << density << PassField::Density << 3;
        const QString plate = "Некоректное значение толщины пластин магнитопровода!";
        for (const char *text : {"0", "abc", "-0.2", "1e39"})
            QTest::newRow(qPrintable(QStringLiteral("plate %1").arg(text)))
                << "plate" << text << plate << PassField::Plate << 3;
        const QString induction = "Некоректное значение амплитуды магнитной индукции!";
        for (const char *text : {"0", "-1.4", "x"})
            QTest::newRow(qPrintable(QStringLiteral("induction %1").arg(text)))
                << "induction" << text << induction << PassField::Induction << 3;
    }
    void failures()
    {
        QFETCH(QString, what);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(PassField, focus);
        QFETCH(int, columns);
        Example e;
        if (what == "efficiency") {
            e.input.efficiencyText = text;
            e.input.autoEfficiency = false;
        } else if (what == "voltage") {
            e.input.voltageTexts[0] = text;
        } else if (what == "density") {
            e.input.autoDensity = false;
            e.input.densityText = text;
        } else if (what == "plate") {
            e.input.plateText = text;
        } else {
            e.input.inductionText = text;
        }
        const Shown s = e.run();
        QVERIFY(!s.result.completed);
        QCOMPARE(s.lines.last(), message);
        QCOMPARE(s.colours.last(), LogColour::Red);
        QCOMPARE(s.focus, QList<PassField>({focus}));
        QCOMPARE(s.result.steps.back().kind, PassStep::Kind::Focus);
        QCOMPARE(s.columnCounts.isEmpty() ? 0 : s.columnCounts.last(), columns);
        if (what == "density") // the recommendation comes before the refusal
            QCOMPARE(s.lines.at(s.lines.size() - 2),
                     QStringLiteral("Рекомендуемая плотность тока в обмотках: 5.96 А/мм^2"));
    }

    void pulseType()
    {
        Example e;
        e.state.pulseMode = true;
        const Shown s = e.run();
        QCOMPARE(s.lines.size(), 2);
        QCOMPARE(s.lines.last(), QStringLiteral("Расчёт импульсных трансформаторов пока не реализован :("));
        QCOMPARE(s.colours, QList<LogColour>({LogColour::Grey, LogColour::Red}));
        QVERIFY(s.columnCounts.isEmpty());
        QVERIFY(s.focus.isEmpty());
    }

    void efficiency_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("automatic");
        QTest::addColumn<bool>("rewritten");
        QTest::addColumn<float>("used");
        QTest::newRow("auto, automatic on") << "auto" << true << true << 0.95f;
        QTest::newRow("0, automatic on") << "0" << true << true << 0.95f;
        QTest::newRow("1 accepted") << "1" << false << false << 1.0f;
        QTest::newRow("typed wins over automatic") << "0.8" << true << false << 0.8f;
        QTest::newRow("0.5 accepted") << "0.5" << false << false << 0.5f;
    }
    void efficiency()
    {
        QFETCH(QString, text);
        QFETCH(bool, automatic);
        QFETCH(bool, rewritten);
        QFETCH(float, used);
        Example e;
        e.input.efficiencyText = text;
        e.input.autoEfficiency = automatic;
        const Shown s = e.run();
        QVERIFY(s.result.completed);
        QCOMPARE(s.efficiencyField, rewritten ? QStringList({"0.95"}) : QStringList());
        QCOMPARE(e.state.efficiency, used);
        QVERIFY(s.lines.at(3).contains(QStringLiteral("к.п.д.=%1,").arg(formatNumber(used))));
    }

    void automaticDensity_data()
    {
        QTest::addColumn<double>("power");
        QTest::addColumn<float>("density");
        QTest::newRow("9.99") << 9.99 << 6.0f;
        QTest::newRow("10") << 10.0 << 6.0f;
        QTest::newRow("105") << 105.0 << 4.0f;
        QTest::newRow("200") << 200.0 << 2.0f;
        QTest::newRow("200.5") << 200.5 << 2.0f;
        QTest::newRow("12") << 12.0 << 5.96f;
    }
    void automaticDensity()
    {
        QFETCH(double, power);
        QFETCH(float, density);
        Example e;
        e.load(power);
        const Shown s = e.run();
        QCOMPARE(e.state.currentDensity, density);
        QCOMPARE(s.densityField, QStringList({formatNumber(density)}));
    }

    void typedDensity()
    {
        Example e;
        e.input.autoDensity = false;
        e.input.densityText = QStringLiteral("3");
        Shown s = e.run();
        QVERIFY(s.result.completed);
        QCOMPARE(e.state.currentDensity, 3.0f);
        QVERIFY(s.densityField.isEmpty());
        QCOMPARE(s.lines.at(2), QStringLiteral("Рекомендуемая плотность тока в обмотках: 5.96 А/мм^2"));
        QCOMPARE(s.colours.at(2), LogColour::Green);

        // "auto" with the automatic box cleared still takes the automatic density.
        e.input.densityText = QStringLiteral("auto");
        s = e.run();
        QCOMPARE(s.densityField, QStringList({"5.96"}));
        QCOMPARE(s.count(LogColour::Green), 1);
    }

    // The band edges of the window fill factor and the stacking factor, seen through the
    // required area product 45*P/(f*Bm*j*Kw*Ks).
    void factors_data()
    {
        QTest::addColumn<double>("power");
        QTest::addColumn<QString>("plate");
        QTest::addColumn<double>("window");
        QTest::addColumn<double>("stacking");
        QTest::newRow("P 49.9") << 49.9 << "0.2" << 0.25 << 0.85;
        QTest::newRow("P 50") << 50.0 << "0.2" << 0.31 << 0.85;
        QTest::newRow("P 150") << 150.0 << "0.2" << 0.31 << 0.85;
        QTest::newRow("P 150.1") << 150.1 << "0.2" << 0.36 << 0.85;
        QTest::newRow("t 0.08") << 12.0 << "0.08" << 0.25 << 0.7;
        QTest::newRow("t 0.1") << 12.0 << "0.1" << 0.25 << 0.85;
        QTest::newRow("t 0.35") << 12.0 << "0.35" << 0.25 << 0.85;
        QTest::newRow("t 0.36") << 12.0 << "0.36" << 0.25 << 0.91;
        QTest::newRow("t 0.5") << 12.0 << "0.5" << 0.25 << 0.91;
    }
    void factors()
    {
        QFETCH(double, power);
        QFETCH(QString, plate);
        QFETCH(double, window);
        QFETCH(double, stacking);
        Example e;
        e.load(power);
        e.input.plateText = plate;
        e.run();
        const DesignState &st = e.state;
        const double expected = 45.0 * double(st.secondaryPower)
                                / (50.0 * double(1.4f) * double(st.currentDensity) * window * stacking);
        QCOMPARE(st.requiredAreaProduct, ::roundForDisplay(toSingle(expected)));
    }

    void windingsWithoutPower()
    {
        Example e;
        e.windings({"220", "12", "24", "6"}, {"", "", "", "0.5"});
        const Shown s = e.run();
        QVERIFY(s.result.completed);
        QCOMPARE(s.lines.at(1), QStringLiteral("Проблема cо 2-ой обмоткой, мощность = 0 Вт!"));
        QCOMPARE(s.lines.at(2), QStringLiteral("Проблема c 3-ой обмоткой, мощность = 0 Вт!"));
        QCOMPARE(s.lines.at(1).at(9), QChar(u'c')); // Latin c, then Cyrillic о
        QCOMPARE(s.lines.at(1).at(10), QChar(u'о'));
        QCOMPARE(s.colours.mid(1, 2), QList<LogColour>({LogColour::Red, LogColour::Red}));
        QCOMPARE(s.lines.at(3), QStringLiteral("Общая мощность вторичных обмоток = 3 Вт."));
        QCOMPARE(s.cell(1, 2), QStringLiteral("0"));
        QCOMPARE(s.cell(1, 4), QStringLiteral("0.01"));
        QCOMPARE(s.cell(2, 4), QStringLiteral("0.01"));
        QCOMPARE(s.cell(1, 3), QStringLiteral("64.4")); // turns as for any winding
        QCOMPARE(s.lines.last(), QStringLiteral("4 обмотка: u=6 В, i=0.5 А, n=32.2, d=0.33 мм."));
    }

    // A negative secondary value counts as 0 for this run; nothing of an earlier run shows.
    void negativeSecondaryValues_data()
    {
        QTest::addColumn<QString>("voltage");
        QTest::addColumn<QString>("current");
        QTest::newRow("negative voltage") << "-12" << "1";
        QTest::newRow("negative current") << "12" << "-1";
        QTest::newRow("empty current") << "12" << "";
        QTest::newRow("current not a number") << "12" << "1e39";
    }
    void negativeSecondaryValues()
    {
        QFETCH(QString, voltage);
        QFETCH(QString, current);
        Example e;
        QVERIFY(e.run().result.completed); // stores 12 V and 1 A for row 1
        e.windings({"220", voltage}, {"", current});
        const Shown s = e.run();
        QCOMPARE(s.lines.at(1), QStringLiteral("Проблема cо 2-ой обмоткой, мощность = 0 Вт!"));
        QCOMPARE(s.cell(1, 2), QStringLiteral("0"));
        QCOMPARE(e.state.secondaryPower, 0.0f);
        QVERIFY(e.state.windingVoltage[1] >= 0.0f && e.state.windingCurrent[1] >= 0.0f);
        QCOMPARE(e.state.windingVoltage[1] * e.state.windingCurrent[1], 0.0f);
        QVERIFY(s.result.completed);
    }

    void fewerWindingsAfterARun()
    {
        Example e;
        e.windings({"220", "12", "24"}, {"", "1", "1"});
        e.run();
        QCOMPARE(e.state.secondaryPower, 36.0f);
        e.windings({"220", "12"}, {"", "1"});
        const Shown s = e.run();
        QCOMPARE(e.state.secondaryPower, 12.0f);
        QCOMPARE(s.cell(0, 2), QStringLiteral("13.19"));
        QVERIFY(!s.cells.contains({2, 3}));
    }

    void coreTooSmall()
    {
        Example e;
        e.state.coreY = 10.0f;
        e.state.coreY1 = 10.0f; // Sst 1 cm^2
        e.state.coreB = 10.0f;
        e.state.coreH = 34.0f; // Sok 3.4 cm^2
        const Shown s = e.run();
        QVERIFY(!s.result.completed);
        QCOMPARE(s.lines.last(),
                 QStringLiteral("У выбранного магнитопровода недостаточное произведение  Sстали*Sокна:  "
                                "3 см^4 < 6.09 см^4.\nВыберите больший магнитопровод или измените "
                                "параметры трансформатора."));
        QCOMPARE(s.colours.last(), LogColour::Red);
        QVERIFY(s.focus.isEmpty());
        QCOMPARE(s.columnCounts, QList<int>({3}));

        e.state.coreH = 60.9f; // Sst*Sok = 6.09 exactly: equality passes
        QVERIFY(e.run().result.completed);
    }

    void proportion()
    {
        Example e;
        e.state.coreY = 10.0f;
        e.state.coreY1 = 30.1f;
        Shown s = e.run();
        QCOMPARE(s.count(LogColour::Orange), 1);
        QCOMPARE(s.lines.at(s.colours.indexOf(LogColour::Orange)),
                 QStringLiteral("Неоптимальное соотношение y1 / y = 3.01 > 3, желательно исправить."));
        QVERIFY(s.result.completed);

        e.state.coreY1 = 30.0f;
        s = e.run();
        QCOMPARE(s.count(LogColour::Orange), 0);
    }

    void workingValuesSurvive()
    {
        Example e;
        e.run();
        e.input.inductionText = QStringLiteral("0"); // stops before the core is checked
        e.state.requiredAreaProduct = 6.09f;
        e.run();
        QCOMPARE(e.state.requiredAreaProduct, 6.09f);
        QCOMPARE(e.state.windingTurns[0], 1179.8f);
        QCOMPARE(e.state.induction, 1.4f);
    }

    void manyWindings()
    {
        Example e;
        QStringList voltages{"220"}, currents{""};
        for (int i = 1; i < 99; ++i) {
            voltages << "1";
            currents << "0.01";
        }
        e.windings(voltages, currents);
        const Shown s = e.run();
        QVERIFY(s.result.completed);
        QCOMPARE(s.lines.last(), QStringLiteral("99 обмотка: u=1 В, i=0.01 А, n=5.4, d=0.05 мм."));
    }
};

QTEST_GUILESS_MAIN(TestLfPass)
#include "tst_lfpass.moc"
