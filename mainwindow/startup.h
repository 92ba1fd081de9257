// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#pragma once

// Whether the user chose a widget style: -style on the command line, or QT_STYLE_OVERRIDE.
bool styleChosen(int argc, char **argv);
// The program from its command line to the end of its event loop; returns the exit code.
int runZelmora(int argc, char **argv);
