// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#pragma once

#include <QPixmap>
#include <QString>

// Loads a picture for a screen of the given device pixel ratio. Above 1 the file's
// twice-as-dense version ("img/E-core@2x.png" beside "img/E-core.png") is taken where it
// loads, marked with ratio 2 so that it keeps the picture's size on screen; otherwise,
// and where that file is missing or broken, the file itself. A picture that does not
// load at all gives an empty pixmap.
QPixmap loadPicture(const QString &path, qreal devicePixelRatio);
