// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>

// A benchmark program needs an application object for its widgets; it runs offscreen
// unless told otherwise.
#define ZELMORA_BENCHMARK_MAIN()                                                                   \
    int main(int argc, char **argv)                                                                \
    {                                                                                              \
        setenv("QT_QPA_PLATFORM", "offscreen", 0);                                                 \
        QApplication application(argc, argv);                                                      \
        benchmark::Initialize(&argc, argv);                                                        \
        benchmark::RunSpecifiedBenchmarks();                                                       \
        benchmark::Shutdown();                                                                     \
        return 0;                                                                                  \
    }
