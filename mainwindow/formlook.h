// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#pragma once

#include <QFont>

// The font the form is drawn for. Its captions sit at fixed pixel positions laid out for a
// compact 8-point dialog font: Windows' classic one, Tahoma, and on Linux Liberation Sans,
// a metric twin of Arial (the usual wide desktop fonts would cut them off). Glyphs keep
// the widths they were designed with (hinted only vertically), so that no rasteriser
// widens a caption past its place.
QFont formFont();

#ifdef Q_OS_WASM
// A browser has no desktop fonts: the program brings the faces of formFont() the form
// uses, regular and bold (the windings table's header marks the current cell's column in
// bold), which the page preloads into the in-memory file system under /fonts. Call before
// the form's font is set.
void addFormFonts();
#endif

// The style the form's fixed geometry was drawn for, where the desktop's own could break
// it: Fusion on Linux, with the desktop's colours kept; on Windows the Windows Vista style
// (Qt 6.8 would pick its Windows 11 style on Windows 11).
void useFormStyle();
