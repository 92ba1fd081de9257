// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#pragma once

#include <QString>

// The build number shown in the log banner and the About box.
extern const QString buildNumber;

// The current document name, without its extension. Only start-up and "Новый" change it.
extern QString documentName;

// The document name taken from the first command-line argument (see firstArgument):
// the argument without a case-sensitive ".zmr" ending. Anything else keeps `current`.
QString documentNameFromArgument(const QString &argument, const QString &current);

// The next name of the "Новый" numbering: only the last character is looked at; 0..8
// count up, 9 becomes "10", anything else (or nothing) gets "0" appended.
QString nextDocumentName(const QString &name);

// The status-bar text for a document name: " name.zmr ".
QString documentStatusText(const QString &name);
