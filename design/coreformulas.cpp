// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#include "design/coreformulas.h"

double rectangleCm2(float a, float b)
{
    return double(a) * double(b) * 0.01;
}

double coreAreaProductCm4(float y, float y1, float b, float h)
{
    return double(y) * double(y1) * double(b) * double(h) * 0.0001;
}
