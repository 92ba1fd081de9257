// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#pragma once

#include <QString>

// The fixed texts the window shows outside the calculation: the refusals of typed
// values and the message boxes. Kept apart from the slots so that the user's guide can
// be checked against them without a window.

enum class Refusal { Frequency, CoreY, CoreY1, CoreB, CoreH };

// The red log line for a refused value.
QString refusalText(Refusal refusal);

// "О программе", with the build number on its second line.
QString aboutText();
// "Справка"
QString helpText();
// "Поддержать программу"
QString supportText();
// "Выход": the question and its explanation.
QString exitQuestionText();
QString exitQuestionDetail();
