// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#pragma once

#include <QString>

#include <optional>

// The frequency typed into the frequency field, in Hz: the field takes Hz for the sine
// type and kHz for the pulse type. Nothing when the text is not a number, is 0 or less, or
// gives a frequency beyond the single-precision range.
std::optional<float> typedFrequencyHz(const QString &text, bool pulseMode);
