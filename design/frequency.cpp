// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#include "design/frequency.h"

#include "design/numbers.h"

#include <cmath>

std::optional<float> typedFrequencyHz(const QString &text, bool pulseMode)
{
    bool ok = false;
    const float value = readNumber(text, &ok);
    if (!ok || !(value > 0.0f))
        return std::nullopt;
    const float hertz = pulseMode ? toSingle(double(value) * 1000.0) : value;
    if (!std::isfinite(hertz))
        return std::nullopt;
    return hertz;
}
