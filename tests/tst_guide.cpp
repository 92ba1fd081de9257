// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

// The user's guide against the program: every text the program can show is quoted in it
// exactly, and its worked example is what the calculation gives.

#include "calc/lfpass.h"
#include "calc/messages.h"
#include "calc/messagetexts.h"
#include "design/numbers.h"
#include "zelmora/version.h"

#include <QFile>
#include <QtMath>
#include <QRegularExpression>
#include <QTest>

namespace {

// The guide's text, its single-backtick code spans (fenced blocks left out) and its
// fenced blocks.
struct Guide
{
    QString text;
    QStringList spans;
    QList<QStringList> blocks;
};

Guide readGuide()
{
    QFile file(QStringLiteral(ZELMORA_GUIDE));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the guide %s", ZELMORA_GUIDE);
    Guide guide;
    guide.text = QString::fromUtf8(file.readAll());
    QString prose;
    QStringList *block = nullptr;
    for (const QString &line : guide.text.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("```"))) {
            if (block) {
                block = nullptr;
            } else {
                guide.blocks.append(QStringList());
                block = &guide.blocks.last();
            }
        } else if (block) {
            block->append(line);
        } else {
            prose += line + QLatin1Char('\n');
        }
    }
    static const QRegularExpression span(QStringLiteral("`([^`\n]+)`"));
    for (auto match = span.globalMatch(prose); match.hasNext();)
        guide.spans.append(match.next().captured(1));
    return guide;
}

// Numbers the messages are filled with, which no message holds by itself; each stands
// for a «placeholder» in the guide.
constexpr double sentinels[] = {901, 902, 903, 904, 905, 906};

// A shown line as a pattern: its text exactly, a sentinel number or the time stamp as
// any «placeholder».
QRegularExpression linePattern(QString line)
{
    line.replace(QStringLiteral("07.12.26 10:00:00"), QString::number(sentinels[0]));
    QString pattern = QRegularExpression::escape(line);
    for (double sentinel : sentinels)
        pattern.replace(QString::number(sentinel), QStringLiteral("«[^«»]+»"));
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern));
}

LogLine filled(LogColour colour, CalcMessage message)
{
    LogLine line{colour, message, {}};
    std::copy(std::begin(sentinels), std::end(sentinels), line.numbers.begin());
    return line;
}

} // namespace

class TestGuide : public QObject
{
    Q_OBJECT

private slots:
    void everyTextIsQuoted_data();
    void everyTextIsQuoted();
    void versionQuoted_data();
    void versionQuoted();
    void workedExample_data();
    void workedExample();
    void handCalculation_data();
    void handCalculation();
    void roundedPrimaryCurrent();
};

void TestGuide::everyTextIsQuoted_data()
{
    QTest::addColumn<QString>("text");
    auto add = [](const char *name, const QString &text) { QTest::newRow(name) << text; };

    add("frequency refusal", refusalText(Refusal::Frequency));
    add("y refusal", refusalText(Refusal::CoreY));
    add("y1 refusal", refusalText(Refusal::CoreY1));
    add("b refusal", refusalText(Refusal::CoreB));
    add("h refusal", refusalText(Refusal::CoreH));
    add("about", aboutText());
    add("help", helpText());
    add("support", supportText());
    add("exit question", exitQuestionText());
    add("exit detail", exitQuestionDetail());
    add("log banner", QStringLiteral(ZELMORA_BANNER));

    const QDateTime stamp(QDate(2026, 12, 7), QTime(10, 0));
    const struct {
        const char *name;
        CalcMessage message;
    } messages[] = {
        {"separator", CalcMessage::Separator},
        {"pulse", CalcMessage::PulseNotImplemented},
        {"efficiency", CalcMessage::BadEfficiency},
        {"secondary total", CalcMessage::TotalSecondaryPower},
        {"primary voltage", CalcMessage::BadPrimaryVoltage},
        {"recommended density", CalcMessage::RecommendedDensity},
        {"density", CalcMessage::BadDensity},
        {"plate", CalcMessage::BadPlateThickness},
        {"induction", CalcMessage::BadInduction},
        {"required product", CalcMessage::RequiredAreaProduct},
        {"core too small", CalcMessage::CoreTooSmall},
        {"proportion", CalcMessage::BadProportion},
        {"summary", CalcMessage::Summary},
        {"winding result", CalcMessage::WindingResult},
    };
    for (const auto &m : messages)
        add(m.name, logLineText(filled(LogColour::Black, m.message), stamp));
    // The problem line's preposition depends on the winding: "cо" for the second, "c" after.
    LogLine problem = filled(LogColour::Red, CalcMessage::WindingProblem);
    problem.numbers[0] = 2;
    add("problem, second winding", logLineText(problem, stamp).replace(QStringLiteral(" 2-"), QStringLiteral(" 901-")));
    problem.numbers[0] = 3;
    add("problem, later winding", logLineText(problem, stamp).replace(QStringLiteral(" 3-"), QStringLiteral(" 901-")));
}

// Each line of the text (a message box's lines, a two-line log message) is one code span
// of the guide, letter for letter and blank for blank.
void TestGuide::everyTextIsQuoted()
{
    static const Guide guide = readGuide();
    QFETCH(QString, text);
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        if (line.isEmpty())
            continue;
        const QRegularExpression pattern = linePattern(line);
        const bool quoted = std::any_of(guide.spans.begin(), guide.spans.end(),
                                        [&](const QString &span) { return pattern.match(span).hasMatch(); });
        if (!quoted)
            QFAIL(qPrintable(QStringLiteral("not quoted in the guide: \"%1\"").arg(line)));
    }
}

// The texts that quote the version by hand quote the one the build states, and the
// changelog and the metainfo's release list begin with it.
void TestGuide::versionQuoted_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("pattern"); // its first match's first group is the version
    QTest::addColumn<QString>("version");
    const QString full = QStringLiteral(ZELMORA_VERSION_FULL), version = QStringLiteral(ZELMORA_VERSION);
    QTest::newRow("guide") << "docs/guide.ru.md" << "сборка (\\S+);" << full;
    QTest::newRow("README") << "README.md" << "version resource \\(([^)]+)\\)" << full;
    QTest::newRow("changelog") << "packaging/changelog" << "^zelmora \\(([^)]+)\\)" << full;
    QTest::newRow("metainfo") << "packaging/org.example.zelmora.metainfo.xml" << "<release version=\"([^\"]+)\"" << version;
}

void TestGuide::versionQuoted()
{
    QFETCH(QString, file);
    QFETCH(QString, pattern);
    QFETCH(QString, version);
    QFile text(QStringLiteral(ZELMORA_SOURCE_DIR "/") + file);
    QVERIFY(text.open(QIODevice::ReadOnly));
    const auto match = QRegularExpression(pattern).match(QString::fromUtf8(text.readAll()));
    QVERIFY2(match.hasMatch(), "the version is not quoted");
    QCOMPARE(match.captured(1), version);
}

// The guide's worked examples: the first on the start values (220 V primary, the start
// core) with one 12 V 1 A secondary added; the second the same load after the guide's own
// advice (a typical efficiency and induction, a standard core). Each run starts afresh.
void TestGuide::workedExample_data()
{
    QTest::addColumn<QString>("primary");
    QTest::addColumn<QString>("efficiency");
    QTest::addColumn<QString>("plate");
    QTest::addColumn<QString>("induction");
    QTest::addColumn<QList<float>>("core"); // y, y1, b, h
    QTest::addColumn<int>("block");         // which of the guide's logs shows the run

    const QList<float> startCore{DesignState::defaultCoreY, DesignState::defaultCoreY1, DesignState::defaultCoreB,
                                 DesignState::defaultCoreH};
    QTest::newRow("start values") << formatNumber(DesignState::defaultPrimaryVoltageLf)
                                  << formatNumber(DesignState::defaultEfficiency)
                                  << formatNumber(DesignState::defaultPlateThickness)
                                  << formatNumber(DesignState::defaultInduction) << startCore << 0;
    QTest::newRow("standard core") << QStringLiteral("230") << QStringLiteral("0.8") << QStringLiteral("0.35")
                                   << QStringLiteral("1.3") << QList<float>{12, 25, 12, 30} << 1;
}

// Each run worked out again: its log block and its table rows are what the program shows.
void TestGuide::workedExample()
{
    QFETCH(QString, primary);
    QFETCH(QString, efficiency);
    QFETCH(QString, plate);
    QFETCH(QString, induction);
    QFETCH(QList<float>, core);
    QFETCH(int, block);
    const Guide guide = readGuide();
    DesignState state;
    state.frequency = state.lfFrequency;
    state.coreY = core[0];
    state.coreY1 = core[1];
    state.coreB = core[2];
    state.coreH = core[3];
    LfPassInput input;
    input.now = QDateTime(QDate(2026, 12, 7), QTime(10, 0));
    input.efficiencyText = efficiency;
    input.voltageTexts = QStringList{primary, QStringLiteral("12")};
    input.currentTexts = QStringList{QStringLiteral("(посчитается)"), QStringLiteral("1")};
    input.densityText = QStringLiteral("auto");
    input.plateText = plate;
    input.inductionText = induction;
    const LfPassResult result = runLfPass(state, input);
    QVERIFY(result.completed);

    QStringList log{QStringLiteral(ZELMORA_BANNER)};
    QString cells[2][5] = {{input.voltageTexts[0]}, {input.voltageTexts[1], input.currentTexts[1]}};
    for (const PassStep &step : result.steps) {
        if (step.kind == PassStep::Kind::Log)
            log += logLineText(step.line, result.stamp).split(QLatin1Char('\n'));
        else if (step.kind == PassStep::Kind::Cell)
            cells[step.row][step.column] = formatNumber(step.value);
    }
    QList<QStringList> logs;
    std::copy_if(guide.blocks.begin(), guide.blocks.end(), std::back_inserter(logs), [](const QStringList &b) {
        return !b.isEmpty() && b.first().startsWith(QLatin1String("Zelmora ver."));
    });
    QVERIFY2(block < logs.size(), "the guide shows no log of this run");
    QCOMPARE(logs[block], log);

    for (int row = 0; row < 2; ++row) {
        const QStringList shown(cells[row], cells[row] + 5);
        const QString line = QStringLiteral("| %1 | %2 |").arg(row + 1).arg(shown.join(QLatin1String(" | ")));
        QVERIFY2(guide.text.contains(QLatin1Char('\n') + line + QLatin1Char('\n')),
                 qPrintable(QStringLiteral("the example's table has no row \"%1\"").arg(line)));
    }
}

// The second run by hand: each step the guide shows, worked again from the numbers it states.
void TestGuide::handCalculation_data()
{
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QList<double>>("worked");
    auto row = [text = readGuide().text](const char *label) { // the numbers of the table row the label begins
        const QString line = text.section(QStringLiteral("\n| %1 |").arg(QString::fromUtf8(label)), 1, 1).section(u'\n', 0, 0);
        return line.split(u'|').filter(QRegularExpression(QStringLiteral("^ [0-9]+(\\.[0-9]+)? $")));
    };
    auto at = [&](const char *label, int i) { return row(label).value(i).toDouble(); };
    auto add = [&](const char *label, QList<double> worked) { QTest::newRow(label) << row(label) << worked; };
    auto each = [&](auto step) { return QList<double>{step(0), step(1)}; }; // primary, secondary
    auto wire = [&](int i, int column) { return at(i ? "Вторичная" : "Первичная", column); }; // turns, d, insulated d
    const double n = wire(1, 0) / wire(0, 0), t1 = at("Толщина обмотки t, мм", 0), t2 = at("Толщина обмотки t, мм", 1);
    const double drop = at("Падение напряжения ΔU, В", 0), coil = 1 + 1.15 * (t1 + t2) + 0.5 + 0.3, sides = 2 * (14 + 27);
    const double steel = (2 * (12 + 30) + M_PI * 6) * 12 * 25 * 0.94 * 7.65 / 1000, core = 2 * std::pow(1.3 / 0.94 / 1.5, 2) * steel / 1000;
    add("Витков в слое", each([&](int i) { return std::floor(0.9 * (30 - 2 * 1.5 - 2 * 3) / wire(i, 2)); }));
    add("Слоёв", each([&](int i) { return std::ceil(wire(i, 0) / at("Витков в слое", i)); }));
    add("Толщина обмотки t, мм", each([&](int i) { return at("Слоёв", i) * (wire(i, 2) + 0.03); }));
    add("Толщина катушки, мм", {coil});
    add("Средний виток lср, мм", {sides + M_PI * 1.15 * t1, sides + 2 * M_PI * (1.15 * t1 + 0.5 + 1.15 * t2 / 2)});
    add("Длина провода, м", each([&](int i) { return wire(i, 0) * at("Средний виток lср, мм", i) / 1000; }));
    add("Сопротивление при 20 °C, Ом", each([&](int i) { return 0.01724 * at("Длина провода, м", i) / (M_PI * std::pow(wire(i, 1), 2) / 4); }));
    add("Сопротивление при T = 59 °C, Ом", each([&](int i) { return at("Сопротивление при 20 °C, Ом", i) * (1 + 0.00393 * (59 - 20)); }));
    add("Падение напряжения ΔU, В", {at("Сопротивление при T = 59 °C, Ом", 1) + at("Сопротивление при T = 59 °C, Ом", 0) * n * n});
    add("Витков вторичной с поправкой", {wire(0, 0) * (12 + drop) / 230});
    add("Вторичная", {std::round(at("Витков вторичной с поправкой", 0)), wire(1, 1), wire(1, 2)});
    add("Под нагрузкой 1 А, тёплый, В", {207 * n - drop, 230 * n - drop, 253 * n - drop});
    add("Без нагрузки, В", {207 * n, 230 * n, 253 * n});
    add("Масса стали m, г", {steel});
    add("Потери в стали Pс, Вт", {core});
    add("Поверхность охлаждения S, см²", {2 * (48 * 42 + (48 + 42) * (25 + 2 * coil)) / 100});
    add("Перегрев ΔT, К", {(drop + core) / (12 * at("Поверхность охлаждения S, см²", 0) / 10000)});
    add("Рабочая температура T, °C", {25 + at("Перегрев ΔT, К", 0)});
}

// Within the guide's rounding: half a unit of the shown last digit, and 0.2 % for the steps it came from.
void TestGuide::handCalculation()
{
    QFETCH(QStringList, shown);
    QFETCH(QList<double>, worked);
    for (int i = 0; i < worked.size(); ++i) // a number the guide does not show reads as 0
        QVERIFY2(std::abs(shown.value(i).toDouble() - worked[i]) <= std::pow(10, -int(shown.value(i).trimmed().section(u'.', 1).size())) / 2 + 0.002 * worked[i],
                 qPrintable(QStringLiteral("the guide shows %1, worked again %2").arg(shown.value(i).trimmed()).arg(worked[i])));
}

// The guide's primary current rounded down (start values, 6 V 0.4 A, efficiency 0.75): its table rows.
void TestGuide::roundedPrimaryCurrent()
{
    DesignState state;
    state.frequency = state.lfFrequency;
    state.coreY = DesignState::defaultCoreY, state.coreY1 = DesignState::defaultCoreY1;
    state.coreB = DesignState::defaultCoreB, state.coreH = DesignState::defaultCoreH;
    QStringList rows[2] = {{QStringLiteral("\n| 1"), formatNumber(DesignState::defaultPrimaryVoltageLf), QStringLiteral("(посчитается)"), {}, {}, {}},
                           {QStringLiteral("\n| 2"), QStringLiteral("6"), QStringLiteral("0.4"), {}, {}, {}}};
    const LfPassResult result = runLfPass(state, {{}, QStringLiteral("0.75"), false, {rows[0][1], rows[1][1]}, {rows[0][2], rows[1][2]}, true,
                                                  QStringLiteral("auto"), formatNumber(DesignState::defaultPlateThickness), formatNumber(DesignState::defaultInduction)});
    for (const PassStep &step : result.steps)
        if (step.kind == PassStep::Kind::Cell)
            rows[step.row][step.column + 1] = formatNumber(step.value);
    for (const QStringList &row : rows)
        QVERIFY2(readGuide().text.contains(row.join(QLatin1String(" | ")) + QLatin1String(" |\n")), qPrintable(row.join(' ')));
}

QTEST_GUILESS_MAIN(TestGuide)
#include "tst_guide.moc"
