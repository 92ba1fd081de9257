// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

// The user's guide against the program: every text the program can show is quoted in it
// exactly, and its worked example is what the calculation gives.

#include "calc/lfpass.h"
#include "calc/messages.h"
#include "design/documentname.h"
#include "design/numbers.h"
#include "mainwindow/messagetexts.h"

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
    void workedExample();
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
    add("log banner", QStringLiteral("Zelmora ver. 3.0 alpha, build ") + buildNumber);

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

// The guide's worked example, one 12 V 1 A secondary added to the start values (220 V
// primary, the start core), worked out again: its log block and its table rows are what the program shows.
void TestGuide::workedExample()
{
    const Guide guide = readGuide();
    // The start values, as the window shows them when it opens.
    DesignState state;
    state.frequency = state.lfFrequency;
    state.coreY = DesignState::defaultCoreY;
    state.coreY1 = DesignState::defaultCoreY1;
    state.coreB = DesignState::defaultCoreB;
    state.coreH = DesignState::defaultCoreH;
    LfPassInput input;
    input.now = QDateTime(QDate(2026, 12, 7), QTime(10, 0));
    input.efficiencyText = formatNumber(DesignState::defaultEfficiency);
    input.voltageTexts = QStringList{formatNumber(DesignState::defaultPrimaryVoltageLf), QStringLiteral("12")};
    input.currentTexts = QStringList{QStringLiteral("(посчитается)"), QStringLiteral("1")};
    input.densityText = QStringLiteral("auto");
    input.plateText = formatNumber(DesignState::defaultPlateThickness);
    input.inductionText = formatNumber(DesignState::defaultInduction);
    const LfPassResult result = runLfPass(state, input);
    QVERIFY(result.completed);

    QStringList log{QStringLiteral("Zelmora ver. 3.0 alpha, build ") + buildNumber};
    QString cells[2][5] = {{input.voltageTexts[0]}, {input.voltageTexts[1], input.currentTexts[1]}};
    for (const PassStep &step : result.steps) {
        if (step.kind == PassStep::Kind::Log)
            log += logLineText(step.line, result.stamp).split(QLatin1Char('\n'));
        else if (step.kind == PassStep::Kind::Cell)
            cells[step.row][step.column] = formatNumber(step.value);
    }
    const auto block = std::find_if(guide.blocks.begin(), guide.blocks.end(), [](const QStringList &b) {
        return !b.isEmpty() && b.first().startsWith(QLatin1String("Zelmora ver."));
    });
    QVERIFY2(block != guide.blocks.end(), "the guide shows no log of its example");
    QCOMPARE(*block, log);

    for (int row = 0; row < 2; ++row) {
        const QStringList shown(cells[row], cells[row] + 5);
        const QString line = QStringLiteral("| %1 | %2 |").arg(row + 1).arg(shown.join(QLatin1String(" | ")));
        QVERIFY2(guide.text.contains(QLatin1Char('\n') + line + QLatin1Char('\n')),
                 qPrintable(QStringLiteral("the example's table has no row \"%1\"").arg(line)));
    }
}

QTEST_GUILESS_MAIN(TestGuide)
#include "tst_guide.moc"
