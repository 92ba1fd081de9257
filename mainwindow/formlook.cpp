// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#include "mainwindow/formlook.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>

#ifdef Q_OS_WASM
#include <QFontDatabase>
#endif

QFont formFont()
{
#ifdef Q_OS_WIN
    QFont font(QStringLiteral("Tahoma"), 8);
#else
    QFont font(QStringLiteral("Liberation Sans"), 8);
#endif
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

#ifdef Q_OS_WASM
void addFormFonts()
{
    // A face that did not load leaves Qt's own font in its place, as a missing picture
    // leaves its place empty.
    QFontDatabase::addApplicationFont(QStringLiteral("/fonts/LiberationSans-Regular.ttf"));
    QFontDatabase::addApplicationFont(QStringLiteral("/fonts/LiberationSans-Bold.ttf"));
}
#endif

void useFormStyle()
{
#ifdef Q_OS_WIN
    // Qt's Windows Vista style, also where Qt would pick its Windows 11 one (on Windows 11),
    // with the system's light palette it brings, as in dark mode too: the Vista style draws
    // only light (Qt hands it the light palette there).
    QApplication::setStyle(QStringLiteral("windowsvista"));
#else
    // The desktop's palette (its platform theme's, or its style's own, which comes with
    // the style once made) outlives the change: every colour of it is set again, as set
    // explicitly, since a palette that merely equals the application's would not be.
    QApplication::style();
    QPalette desktop = QApplication::palette();
    desktop.setResolveMask(~QPalette::ResolveMask(0));
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setPalette(desktop);
#endif
}
