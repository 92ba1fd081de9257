// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#include "calc/lfpass.h"

#include "design/coreformulas.h"
#include "design/numbers.h"

#include <algorithm>
#include <cmath>

namespace {

// Winding values are never negative and never "not a number": such a result counts as 0
// for this run instead of leaving an earlier run's value in place.
float storable(double value)
{
    return value >= 0.0 ? toSingle(value) : 0.0f;
}

double automaticDensity(double power)
{
    if (power > 200.0)
        return 2.0;
    if (power < 10.0)
        return 6.0;
    return 6.2105263157894735 - 2.0 * power / 95.0;
}

double windowFillFactor(double power)
{
    if (power < 50.0)
        return 0.25;
    if (power <= 150.0)
        return 0.31;
    return 0.36;
}

double stackingFactor(float thickness)
{
    if (thickness <= 0.1)
        return 0.7;
    if (thickness >= 0.35)
        return 0.91;
    return 0.85;
}

class Steps
{
public:
    explicit Steps(std::vector<PassStep> &steps) : m_steps(steps) {}

    void log(LogColour colour, CalcMessage message, std::array<double, 6> numbers = {})
    {
        PassStep step{PassStep::Kind::Log};
        step.line = LogLine{colour, message, numbers};
        m_steps.push_back(step);
    }
    void fail(CalcMessage message, PassField field)
    {
        log(LogColour::Red, message);
        PassStep step{PassStep::Kind::Focus};
        step.field = field;
        m_steps.push_back(step);
    }
    void columns(int count)
    {
        PassStep step{PassStep::Kind::ColumnCount};
        step.column = count;
        m_steps.push_back(step);
    }
    void header(int column)
    {
        PassStep step{PassStep::Kind::Header};
        step.column = column;
        m_steps.push_back(step);
    }
    void cell(int row, int column, double value)
    {
        PassStep step{PassStep::Kind::Cell};
        step.row = row;
        step.column = column;
        step.value = value;
        m_steps.push_back(step);
    }
    void field(PassField field, double value = 0.0)
    {
        PassStep step{PassStep::Kind::FieldText};
        step.field = field;
        step.value = value;
        m_steps.push_back(step);
    }

private:
    std::vector<PassStep> &m_steps;
};

} // namespace

float roundForDisplay(float x)
{
    const double x100 = 100.0 * x;
    if (std::fabs(std::floor(x100)) / 100.0 > 0.0)
        return toSingle(std::round(x100) / 100.0);
    const double x1000 = 1000.0 * x;
    if (std::fabs(std::floor(x1000)) / 1000.0 > 0.0)
        return toSingle(std::round(x1000) / 1000.0);
    return x;
}

LfPassResult runLfPass(DesignState &s, const LfPassInput &in)
{
    LfPassResult result;
    result.stamp = in.now;
    const int n = std::clamp(int(s.windingCount), 1, DesignState::maxWindings - 1);
    result.steps.reserve(16 + 4 * std::size_t(n));
    Steps out(result.steps);
    auto text = [](const QStringList &texts, int row) {
        return row < texts.size() ? texts.at(row) : QString();
    };

    out.log(LogColour::Grey, CalcMessage::Separator);
    if (s.pulseMode) {
        out.log(LogColour::Red, CalcMessage::PulseNotImplemented);
        return result;
    }

    // Efficiency: the typed one when it is in (0, 1], else the automatic one if allowed.
    float eta = readNumber(in.efficiencyText);
    if (!(eta > 0.0f && eta <= 1.0f)) {
        if (!in.autoEfficiency) {
            out.fail(CalcMessage::BadEfficiency, PassField::Efficiency);
            return result;
        }
        out.field(PassField::Efficiency);
        eta = readNumber(automaticEfficiencyText());
    }
    s.efficiency = eta;

    // Secondary windings: power of each and their total.
    out.columns(3);
    out.header(2);
    double total = 0.0;
    for (int i = 1; i < n; ++i) {
        s.windingVoltage[i] = storable(readNumber(text(in.voltageTexts, i)));
        s.windingCurrent[i] = storable(readNumber(text(in.currentTexts, i)));
        const double power = double(s.windingVoltage[i]) * double(s.windingCurrent[i]);
        out.cell(i, 2, power);
        total += power;
        if (power <= 0.0)
            out.log(LogColour::Red, CalcMessage::WindingProblem, {double(i + 1), power});
    }
    out.log(LogColour::Black, CalcMessage::TotalSecondaryPower, {roundForDisplay(toSingle(total))});

    s.secondaryPower = toSingle(total);
    s.primaryPower = toSingle(double(s.secondaryPower) / double(s.efficiency));
    out.cell(0, 2, roundForDisplay(s.primaryPower));

    // Primary winding: its voltage must be positive; its current follows from the power.
    const float u0 = readNumber(text(in.voltageTexts, 0));
    if (u0 >= 0.0f)
        s.windingVoltage[0] = u0;
    if (!(u0 > 0.0f)) {
        out.fail(CalcMessage::BadPrimaryVoltage, PassField::Table);
        return result;
    }
    s.windingCurrent[0] =
        storable(roundForDisplay(toSingle(double(s.primaryPower) / double(s.windingVoltage[0]))));
    out.cell(0, 1, s.windingCurrent[0]);

    // Current density: automatic from the power, or as typed.
    const double power = s.secondaryPower;
    s.currentDensity = roundForDisplay(toSingle(automaticDensity(power)));
    if (in.autoDensity || in.densityText == QLatin1String("auto")) {
        out.field(PassField::Density, s.currentDensity);
    } else {
        out.log(LogColour::Green, CalcMessage::RecommendedDensity, {s.currentDensity});
        const float j = readNumber(in.densityText);
        if (!(j > 0.0f)) {
            out.fail(CalcMessage::BadDensity, PassField::Density);
            return result;
        }
        s.currentDensity = j;
    }
    const double kWindow = windowFillFactor(power);

    const float t = readNumber(in.plateText);
    if (!(t > 0.0f)) {
        out.fail(CalcMessage::BadPlateThickness, PassField::Plate);
        return result;
    }
    s.plateThickness = t;
    const double kSteel = stackingFactor(s.plateThickness);

    const float bm = readNumber(in.inductionText);
    if (!(bm > 0.0f)) {
        out.fail(CalcMessage::BadInduction, PassField::Induction);
        return result;
    }
    s.induction = bm;

    // The core the load needs, against the core chosen.
    const double f = s.frequency;
    s.requiredAreaProduct = roundForDisplay(
        toSingle(45.0 * power / (f * double(bm) * double(s.currentDensity) * kWindow * kSteel)));
    out.log(LogColour::Green, CalcMessage::RequiredAreaProduct, {s.requiredAreaProduct});

    s.coreSectionArea = roundForDisplay(toSingle(rectangleCm2(s.coreY, s.coreY1)));
    s.windowArea = roundForDisplay(toSingle(rectangleCm2(s.coreB, s.coreH)));
    const double areaProduct = double(s.coreSectionArea) * double(s.windowArea);
    if (double(s.requiredAreaProduct) > areaProduct) {
        out.log(LogColour::Red, CalcMessage::CoreTooSmall,
                {std::round(areaProduct), s.requiredAreaProduct});
        return result;
    }

    const double ratio = double(s.coreY1) / double(s.coreY);
    if (ratio > 3.0)
        out.log(LogColour::Orange, CalcMessage::BadProportion, {roundForDisplay(toSingle(ratio))});

    // Turns and wire of every winding.
    out.columns(5);
    out.header(3);
    out.header(4);
    out.log(LogColour::Black, CalcMessage::Summary,
            {f, s.coreSectionArea, s.windowArea, s.induction, s.currentDensity, s.efficiency});
    const double turnsDivisor = 4.44 * f * double(s.coreSectionArea) * double(bm);
    for (int i = 0; i < n; ++i) {
        s.windingTurns[i] = storable(toSingle(10000.0 * double(s.windingVoltage[i]) / turnsDivisor));
        s.windingTurns[i] = storable(std::round(10.0 * double(s.windingTurns[i])) / 10.0);
        out.cell(i, 3, s.windingTurns[i]);

        const double d = 1.13 * std::sqrt(double(s.windingCurrent[i]) / double(s.currentDensity));
        s.wireDiameter[i] = d < 0.01 ? toSingle(0.01) : storable(roundForDisplay(toSingle(d)));
        out.cell(i, 4, s.wireDiameter[i]);

        out.log(LogColour::Black, CalcMessage::WindingResult,
                {double(i + 1), s.windingVoltage[i], s.windingCurrent[i], s.windingTurns[i],
                 s.wireDiameter[i]});
    }
    result.completed = true;
    return result;
}
