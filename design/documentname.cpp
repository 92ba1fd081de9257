// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#include "design/documentname.h"

#include "zelmora/version.h"

const QString buildNumber = QStringLiteral(ZELMORA_BUILD_NUMBER);
QString documentName = QStringLiteral("trans");

namespace {
const QString extension = QStringLiteral(".zmr");
}

QString documentNameFromArgument(const QString &argument, const QString &current)
{
    if (!argument.endsWith(extension, Qt::CaseSensitive))
        return current;
    return argument.left(argument.size() - extension.size());
}

QString nextDocumentName(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("0");
    const QChar last = name.back();
    const QString head = name.left(name.size() - 1);
    if (last >= QLatin1Char('0') && last <= QLatin1Char('8'))
        return head + QChar(last.unicode() + 1);
    if (last == QLatin1Char('9'))
        return head + QStringLiteral("10");
    return name + QLatin1Char('0');
}

QString documentStatusText(const QString &name)
{
    return QLatin1Char(' ') + name + extension + QLatin1Char(' ');
}
