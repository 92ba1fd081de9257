#include "design/numbers.h"

#include <QLocale>

#include <cfloat>
#include <cmath>
#include <limits>

namespace {

bool readWith(QLocale locale, const QString &text, double *value)
{
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    *value = locale.toDouble(text, &ok);
    return ok;
}

} // namespace

float readNumber(const QString &text, bool *ok)
{
    double value = 0.0;
    bool read = readWith(QLocale::system(), text, &value) || readWith(QLocale::c(), text, &value);
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
