// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#include "design/numbers.h"

#include <QByteArrayView>
#include <QLocale>
#include <QRegularExpression>

#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

// Typed numbers never carry digit grouping: "1,000" is not a thousand anywhere.
QLocale withoutGrouping(QLocale locale)
{
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    return locale;
}

// Plain decimals such as "220", "-0.5" or " 12.25 " read the same in every locale once
// grouping is refused, so they skip the locale machinery; anything else returns false.
bool readPlainDecimal(const QString &text, double *value)
{
    qsizetype begin = 0, end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    char digits[32];
    const qsizetype length = end - begin;
    if (length == 0 || length >= qsizetype(sizeof digits))
        return false;
    bool point = false;
    for (qsizetype i = 0; i < length; ++i) {
        const char16_t c = text.at(begin + i).unicode();
        const bool digit = c >= u'0' && c <= u'9';
        const bool sign = i == 0 && (c == u'-' || c == u'+');
        // A full stop needs a digit on both sides.
        const bool fullStop = c == u'.' && !point && i > 0 && digits[i - 1] >= '0' && digits[i - 1] <= '9'
                              && i + 1 < length;
        if (!digit && !sign && !fullStop)
            return false;
        point = point || fullStop;
        digits[i] = char(c);
    }
    const char *first = digits[0] == '+' ? digits + 1 : digits;
#if defined(__cpp_lib_to_chars)
    const auto [last, error] = std::from_chars(first, digits + length, *value);
    return error == std::errc() && last == digits + length;
#elif !defined(Q_OS_WASM)
#error "from_chars for floating point is missing: the desktop builds read numbers with it"
#else
    // A C++ library without from_chars for floating point (the browser build's): Qt's
    // reader, correctly rounded too, of the same characters.
    bool ok = false;
    *value = QByteArrayView(first, digits + length).toDouble(&ok);
    return ok;
#endif
}

bool readWith(const QLocale &locale, const QString &text, double *value)
{
    bool ok = false;
    *value = locale.toDouble(text, &ok);
    return ok;
}

bool asciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// "0,5" typed where the locale's decimal separator is a full stop: a single comma between
// digits is a decimal comma, unless the text could be digit grouping ("1,000", "-12,500":
// one to three digits not beginning with 0, the comma, exactly three digits). On success
// *withPoint is the text with that comma made a full stop.
bool decimalComma(const QString &text, QString *withPoint)
{
    static const QRegularExpression grouping(QStringLiteral("^[+-]?[1-9][0-9]{0,2},[0-9]{3}$"));
    const QString trimmed = text.trimmed();
    const qsizetype comma = trimmed.indexOf(QLatin1Char(','));
    if (comma <= 0 || comma + 1 >= trimmed.size() || trimmed.indexOf(QLatin1Char(','), comma + 1) >= 0
        || trimmed.contains(QLatin1Char('.')) || !asciiDigit(trimmed.at(comma - 1))
        || !asciiDigit(trimmed.at(comma + 1)) || grouping.match(trimmed).hasMatch())
        return false;
    *withPoint = trimmed;
    (*withPoint)[comma] = QLatin1Char('.');
    return true;
}

} // namespace

float readNumber(const QString &text, bool *ok)
{
    // The user's locale by name: the system locale object itself asks the system on every use.
    static const QLocale systemLocale = withoutGrouping(QLocale(QLocale::system().name()));
    static const QLocale cLocale = withoutGrouping(QLocale::c());
    static const bool commaLocale = systemLocale.decimalPoint() == QStringLiteral(",");
    double value = 0.0;
    bool read = readPlainDecimal(text, &value) || readWith(systemLocale, text, &value)
                || (systemLocale != cLocale && readWith(cLocale, text, &value));
    QString withPoint;
    if (!read && !commaLocale && decimalComma(text, &withPoint))
        read = readPlainDecimal(withPoint, &value) || readWith(cLocale, withPoint, &value);
    if (read && !(std::isfinite(value) && std::fabs(value) <= FLT_MAX))
        read = false;
    if (ok)
        *ok = read;
    return read ? static_cast<float>(value) : 0.0f;
}

QString formatNumber(double value)
{
    return QString::number(value, 'g', 6);
}

float toSingle(double value)
{
    if (std::isnan(value))
        return std::numeric_limits<float>::quiet_NaN();
    if (value > FLT_MAX)
        return std::numeric_limits<float>::infinity();
    if (value < -FLT_MAX)
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}
