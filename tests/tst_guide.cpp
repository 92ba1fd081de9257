// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

// The user's guide against the program: every text the program can show is quoted in it
// exactly, and its worked example is what the calculation gives.

#include "calc/lfpass.h"
#include "calc/messages.h"
#include "calc/messagetexts.h"
#include "design/numbers.h"
#include "version.h"

#include <QFile>
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
    QTest::newRow("changelog") << "packaging/changelog" << "^zelmora \\(([^)]+)\\)" << version;
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

// The second run worked on by hand: each step the guide shows, worked again from the numbers
// it states (the winding data, the core, the method's constants, the earlier steps).
void TestGuide::handCalculation_data()
{
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QList<double>>("worked");
    const QString text = readGuide().text;
    auto row = [&](const QString &label) { // the numbers of the table row that label begins
        QStringList numbers;
        const QString line = text.section(QLatin1String("\n| ") + label + QLatin1String(" |"), 1, 1).section(QLatin1Char('\n'), 0, 0);
        for (const QString &cell : line.split(QLatin1Char('|')))
            if (bool ok; cell.trimmed().toDouble(&ok), ok)
                numbers << cell.trimmed();
        return numbers;
    };
    auto at = [&](const char *label, int i) { return row(QString::fromUtf8(label)).value(i).toDouble(); };
    auto add = [&](const char *label, QList<double> worked) { QTest::newRow(label) << row(QString::fromUtf8(label)) << worked; };
    const double n1 = at("Первичная", 0), n2 = at("Вторичная", 0), d1 = at("Первичная", 1), d2 = at("Вторичная", 1);
    const double fit = at("Длина намотки L, мм", 0), t1 = at("Толщина обмотки t, мм", 0), t2 = at("Толщина обмотки t, мм", 1);
    const double drop = at("Падение напряжения ΔU, В", 0), warm = at("Рабочая температура T, °C", 0), n = n2 / n1;
    add("Длина намотки L, мм", {30 - 2 * 1.5 - 2 * 3});
    add("Витков в слое", {std::floor(0.9 * fit / at("Первичная", 2)), std::floor(0.9 * fit / at("Вторичная", 2))});
    add("Слоёв", {std::ceil(n1 / at("Витков в слое", 0)), std::ceil(n2 / at("Витков в слое", 1))});
    add("Толщина обмотки t, мм", {at("Слоёв", 0) * (at("Первичная", 2) + 0.03), at("Слоёв", 1) * (at("Вторичная", 2) + 0.03)});
    const double coil = 1 + 1.15 * (t1 + t2) + 0.5 + 0.3, sides = 2 * (12 + 2 + 25 + 2);
    add("Толщина катушки, мм", {coil});
    add("Средний виток lср, мм", {sides + M_PI * 1.15 * t1, sides + 2 * M_PI * (1.15 * t1 + 0.5 + 1.15 * t2 / 2)});
    add("Длина провода, м", {n1 * at("Средний виток lср, мм", 0) / 1000, n2 * at("Средний виток lср, мм", 1) / 1000});
    add("Сопротивление при 20 °C, Ом", {0.01724 * at("Длина провода, м", 0) / (M_PI * d1 * d1 / 4),
                                        0.01724 * at("Длина провода, м", 1) / (M_PI * d2 * d2 / 4)});
    const double heat = 1 + 0.00393 * (warm - 20);
    add("Сопротивление при T = 59 °C, Ом", {at("Сопротивление при 20 °C, Ом", 0) * heat, at("Сопротивление при 20 °C, Ом", 1) * heat});
    add("Падение напряжения ΔU, В", {at("Сопротивление при T = 59 °C, Ом", 1) + at("Сопротивление при T = 59 °C, Ом", 0) * n * n});
    add("Витков вторичной с поправкой", {n1 * (12 + drop) / 230});
    add("Вторичная", {std::round(at("Витков вторичной с поправкой", 0)), d2, at("Вторичная", 2)});
    add("Под нагрузкой 1 А, тёплый, В", {207 * n - drop, 230 * n - drop, 253 * n - drop});
    add("Без нагрузки, В", {207 * n, 230 * n, 253 * n});
    const double steel = (2 * (12 + 30) + M_PI * 12 / 2) * 12 * 25 * 0.94 * 7.65 / 1000;
    const double core = 2 * std::pow(1.3 / 0.94 / 1.5, 2) * steel / 1000, depth = 25 + 2 * coil;
    add("Масса стали m, г", {steel});
    add("Потери в стали Pс, Вт", {core});
    add("Поверхность охлаждения S, см²", {2 * (48 * 42 + 48 * depth + 42 * depth) / 100});
    add("Перегрев ΔT, К", {(drop + core) / (12 * at("Поверхность охлаждения S, см²", 0) / 10000)});
    add("Рабочая температура T, °C", {25 + at("Перегрев ΔT, К", 0)});
}

// Within the guide's rounding: half a unit of the shown number's last digit, and 0.2 % for
// the rounding of the steps it was worked from.
void TestGuide::handCalculation()
{
    QFETCH(QStringList, shown);
    QFETCH(QList<double>, worked);
    QCOMPARE(shown.size(), worked.size());
    for (int i = 0; i < shown.size(); ++i) {
        const int decimals = shown[i].contains(QLatin1Char('.')) ? int(shown[i].size() - shown[i].indexOf(QLatin1Char('.')) - 1) : 0;
        QVERIFY2(std::abs(shown[i].toDouble() - worked[i]) <= 0.5 * std::pow(10, -decimals) + 0.002 * std::abs(worked[i]),
                 qPrintable(QStringLiteral("the guide shows %1, worked again %2").arg(shown[i]).arg(worked[i])));
    }
}

QTEST_GUILESS_MAIN(TestGuide)
#include "tst_guide.moc"
