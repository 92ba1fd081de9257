// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#pragma once

// What the core dimensions (mm) give, worked out in double: the area of a rectangle in
// cm^2 (the cross-section y*y1, the window b*h) and the product of cross-section and
// window area y*y1*b*h in cm^4.
double rectangleCm2(float a, float b);
double coreAreaProductCm4(float y, float y1, float b, float h);
