// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#include "design/commandline.h"

#include <QByteArrayView>

bool styleChosen(int argc, char **argv)
{
    bool chosen = false;
    for (int i = 1; i < argc; ++i) {
        QByteArrayView argument(argv[i]);
        if (argument.startsWith("--"))
            argument = argument.sliced(1);
        if (argument.startsWith("-style="))
            chosen |= argument.size() > 7;
        else if (argument == "-style" && i < argc - 1)
            chosen |= QByteArrayView(argv[++i]).size() > 0;
    }
    return chosen;
}

#ifdef Q_OS_WIN
#include <qt_windows.h>
#include <shellapi.h>

std::optional<QString> firstArgumentOfCommandLine(const wchar_t *commandLine)
{
    int count = 0;
    wchar_t **arguments = CommandLineToArgvW(commandLine, &count);
    if (!arguments)
        return std::nullopt;
    std::optional<QString> first;
    if (count > 1)
        first = QString::fromWCharArray(arguments[1]);
    LocalFree(arguments);
    return first;
}

std::optional<QString> firstArgument(int, char **)
{
    return firstArgumentOfCommandLine(GetCommandLineW());
}
#else
#include <QFile>

std::optional<QString> firstArgument(int argc, char **argv)
{
    if (argc < 2)
        return std::nullopt;
    return QFile::decodeName(argv[1]);
}
#endif
