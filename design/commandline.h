// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#pragma once

#include <QString>

#include <optional>

// The first argument after the program's name, as the system hands it over, or none.
// On Windows it comes from the wide (UTF-16) command line, so that no character outside
// the ANSI code page is lost; `argv` is not looked at there. Elsewhere it is argv[1]'s
// bytes decoded as the system decodes file names (bytes invalid there become replacement
// characters).
std::optional<QString> firstArgument(int argc, char **argv);

// Whether the user named a widget style on the program's own command line: -style NAME,
// --style NAME or -style=NAME, read as Qt reads them (an empty name, or -style as the last
// argument, names none). QT_STYLE_OVERRIDE is not a choice of this program's style: it is
// usually set for the whole desktop, like the desktop's other settings.
bool styleChosen(int argc, char **argv);

#ifdef Q_OS_WIN
// The first argument after the program's name in a Windows command line, split by the
// system's own rules (double quotes group, backslashes as typed).
std::optional<QString> firstArgumentOfCommandLine(const wchar_t *commandLine);
#endif
