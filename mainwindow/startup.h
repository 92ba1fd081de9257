// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#pragma once

// The program from its command line to the end of its event loop; returns the exit code.
int runZelmora(int argc, char **argv);
