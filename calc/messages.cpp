// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#include "calc/messages.h"

#include "design/numbers.h"

#include <QCoreApplication>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Zelmora3", text);
}

QString n(double value)
{
    return formatNumber(value);
}

QString whole(double value)
{
    return QString::number(static_cast<long long>(value));
}

} // namespace

QString runSeparator(const QDateTime &stamp)
{
    return QStringLiteral("----------------<%1>---------------")
        .arg(stamp.toString(QStringLiteral("dd.MM.yy hh:mm:ss")));
}

QString logLineText(const LogLine &line, const QDateTime &stamp)
{
    const auto &v = line.numbers;
    switch (line.message) {
    case CalcMessage::Separator:
        return runSeparator(stamp);
    case CalcMessage::PulseNotImplemented:
        return tr("Расчёт импульсных трансформаторов пока не реализован :(");
    case CalcMessage::BadEfficiency:
        return tr("Некорректное значение к.п.д.! Необходимо к.п.д. не менее 0 и не более 1.");
    case CalcMessage::WindingProblem: {
        // The preposition starts with a Latin "c": "cо" before the second winding, "c" after.
        const QString preposition = v[0] == 2 ? tr("cо") : tr("c");
        return tr("Проблема %1 %2-ой обмоткой, мощность = %3 Вт!")
            .arg(preposition, whole(v[0]), n(v[1]));
    }
    case CalcMessage::TotalSecondaryPower:
        return tr("Общая мощность вторичных обмоток = %1 Вт.").arg(n(v[0]));
    case CalcMessage::BadPrimaryVoltage:
        return tr("Некорректное напряжение первичной обмотки!");
    case CalcMessage::RecommendedDensity:
        return tr("Рекомендуемая плотность тока в обмотках: %1 А/мм^2").arg(n(v[0]));
    case CalcMessage::BadDensity:
        return tr("Некоректное значение плотности тока в обмотках!");
    case CalcMessage::BadPlateThickness:
        return tr("Некоректное значение толщины пластин магнитопровода!");
    case CalcMessage::BadInduction:
        return tr("Некоректное значение амплитуды магнитной индукции!");
    case CalcMessage::RequiredAreaProduct:
        return tr("Расчётное произведение Sстали*Sокна : %1 см^4").arg(n(v[0]));
    case CalcMessage::CoreTooSmall:
        return tr("У выбранного магнитопровода недостаточное произведение  Sстали*Sокна:  %1 см^4 "
                  "< %2 см^4.\nВыберите больший магнитопровод или измените параметры "
                  "трансформатора.")
            .arg(n(v[0]), n(v[1]));
    case CalcMessage::BadProportion:
        return tr("Неоптимальное соотношение y1 / y = %1 > 3, желательно исправить.").arg(n(v[0]));
    case CalcMessage::Summary:
        return tr("Расчитано для параметров: к.п.д.=%6, f=%1 Гц, Sст=%2 см^2, Sок=%3 см^2, "
                  "Bm=%4 Тл, j=%5 А/мм^2.")
            .arg(n(v[0]), n(v[1]), n(v[2]), n(v[3]), n(v[4]), n(v[5]));
    case CalcMessage::WindingResult:
        return tr("%1 обмотка: u=%2 В, i=%3 А, n=%4, d=%5 мм.")
            .arg(whole(v[0]), n(v[1]), n(v[2]), n(v[3]), n(v[4]));
    }
    return {};
}

QString resultColumnHeader(int column)
{
    switch (column) {
    case 2:
        return tr("Мощность, Вт");
    case 3:
        return tr("Коли. витков");
    case 4:
        return tr("Диам. пров., мм");
    }
    return {};
}

QString automaticEfficiencyText()
{
    return QStringLiteral("0.95");
}
