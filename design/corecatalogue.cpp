// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#include "design/corecatalogue.h"

#include <QtGlobal>

CoreShape coreShape(CoreShapeId id)
{
    switch (id) {
    case CoreShapeId::U:
        return {QT_TRANSLATE_NOOP("Zelmora3", "Сердечник: П-образный"), "img/P-core.png"};
    case CoreShapeId::UTape:
        return {QT_TRANSLATE_NOOP("Zelmora3", "Сердечник: ПЛ"), "img/PL-core.png"};
    case CoreShapeId::E:
        return {QT_TRANSLATE_NOOP("Zelmora3", "Сердечник: Ш-образный"), "img/E-core.png"};
    case CoreShapeId::ETape:
        return {QT_TRANSLATE_NOOP("Zelmora3", "Сердечник: ШЛ"), "img/EL-core.png"};
    case CoreShapeId::Ring:
        return {QT_TRANSLATE_NOOP("Zelmora3", "Сердечник: О-образный"), "img/O-core.png"};
    case CoreShapeId::Pot:
        return {QT_TRANSLATE_NOOP("Zelmora3", "Сердечник: чашка"), "img/chashka.png"};
    case CoreShapeId::Other:
        break;
    }
    return {QT_TRANSLATE_NOOP("Zelmora3", "Сердечник: особый"), "img/Other.png"};
}

const char *coreMaterialWord(CoreMaterialId id)
{
    switch (id) {
    case CoreMaterialId::Steel:
        return QT_TRANSLATE_NOOP("Zelmora3", "сталь");
    case CoreMaterialId::Ferrite:
        return QT_TRANSLATE_NOOP("Zelmora3", "феррит");
    case CoreMaterialId::Alsifer:
        return QT_TRANSLATE_NOOP("Zelmora3", "альсифер");
    case CoreMaterialId::Permalloy:
        return QT_TRANSLATE_NOOP("Zelmora3", "пермалой");
    case CoreMaterialId::Powder:
        return QT_TRANSLATE_NOOP("Zelmora3", "порошковый");
    case CoreMaterialId::Other:
        break;
    }
    return QT_TRANSLATE_NOOP("Zelmora3", "");
}

QString captionWithShape(const QString &caption, const QString &shapeCaption)
{
    const qsizetype comma = caption.indexOf(QLatin1Char(','));
    if (comma < 0)
        return shapeCaption;
    return shapeCaption + caption.mid(comma);
}

QString captionWithMaterial(const QString &caption, const QString &material)
{
    const qsizetype comma = caption.indexOf(QLatin1Char(','));
    if (comma < 0)
        return caption + QStringLiteral(", ") + material;
    return caption.left(comma + 2) + material;
}
