// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#pragma once

#include <array>
#include <cstdint>

// The one record of design values shared by the input handlers and the calculation.
// Start values are constants; input values are kept by the input handlers; working
// values are written by the calculation and kept between runs.
struct DesignState
{
    static constexpr int maxWindings = 100;

    // Start values, written once into the form when the window is built.
    static constexpr float defaultEfficiency = 0.91f;
    static constexpr float defaultInduction = 1.4f;
    static constexpr float defaultCoreY = 20.0f;
    static constexpr float defaultCoreY1 = 30.0f;
    static constexpr float defaultCoreB = 30.0f;
    static constexpr float defaultCoreH = 50.0f;
    static constexpr float defaultPlateThickness = 0.2f;
    static constexpr float defaultPrimaryVoltageLf = 220.0f;
    static constexpr std::int32_t defaultWindingCount = 2;

    // Input values.
    bool pulseMode = false;
    float lfFrequency = 50.0f;       // Hz
    float pulseFrequency = 20000.0f; // Hz, shown in kHz
    float frequency = 0.0f;          // Hz, the frequency of the current type
    std::int32_t windingCount = defaultWindingCount;
    float coreY = 0.0f;  // mm
    float coreY1 = 0.0f; // mm
    float coreB = 0.0f;  // mm
    float coreH = 0.0f;  // mm

    // Working values of the calculation.
    float efficiency = 0.0f;
    float currentDensity = 0.0f;      // A/mm^2
    float induction = 0.0f;           // T
    float plateThickness = 0.0f;      // mm
    float coreSectionArea = 0.0f;     // cm^2
    float windowArea = 0.0f;          // cm^2
    float requiredAreaProduct = 0.0f; // cm^4
    float secondaryPower = 0.0f;      // W
    float primaryPower = 0.0f;        // W
    std::array<float, maxWindings> windingVoltage{};
    std::array<float, maxWindings> windingCurrent{};
    std::array<float, maxWindings> windingTurns{};
    std::array<float, maxWindings> wireDiameter{};
};

// The program's one design state. It exists with its initial values before any window.
extern DesignState designState;
