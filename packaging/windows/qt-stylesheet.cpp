// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

// The Qt that zelmora.exe links is built without style sheets (qt-recipe.cmake). Qt then
// declares QApplication::styleSheet() but leaves it out, while its Windows 11 style asks
// for it (to tell whether the style sheet changed): without style sheets there is none.
#include <QApplication>

#if !QT_CONFIG(style_stylesheet)
QString QApplication::styleSheet() const
{
    return QString();
}
#endif
