// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#pragma once

// The colours of the calculation log. Every writer sets its colour before it appends.
enum class LogColour { Grey, Red, Black, Green, Orange };

struct LogRgba
{
    int red;
    int green;
    int blue;
    int alpha;
};

constexpr LogRgba logRgba(LogColour colour)
{
    switch (colour) {
    case LogColour::Grey:
        return {0, 0, 0, 127};
    case LogColour::Red:
        return {255, 0, 0, 255};
    case LogColour::Black:
        return {0, 0, 0, 255};
    case LogColour::Green:
        return {0, 127, 0, 255};
    case LogColour::Orange:
        return {255, 155, 0, 255};
    }
    return {0, 0, 0, 255};
}
