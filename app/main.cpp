// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#include "mainwindow/startup.h"

int main(int argc, char *argv[])
{
    return runZelmora(argc, argv);
}
