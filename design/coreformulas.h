#pragma once

// What the core dimensions (mm) give: the cross-section y*y1 in cm^2 and the product
// of cross-section and window area y*y1*b*h in cm^4, both worked out in double.
double coreSectionCm2(float y, float y1);
double coreAreaProductCm4(float y, float y1, float b, float h);
