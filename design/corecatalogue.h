// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#pragma once

#include <QString>

// Core shapes and materials exist only as the core caption and the picture shown.

struct CoreShape
{
    const char *caption; // "Сердечник: ..." (no comma)
    const char *picture; // relative to the working directory
};

enum class CoreShapeId { U, UTape, E, ETape, Ring, Pot, Other };
enum class CoreMaterialId { Steel, Ferrite, Alsifer, Permalloy, Powder, Other };

CoreShape coreShape(CoreShapeId id);
const char *coreMaterialWord(CoreMaterialId id);

// The caption with everything before its first comma replaced by `shapeCaption`.
// A caption without a comma is replaced whole.
QString captionWithShape(const QString &caption, const QString &shapeCaption);

// The caption cut two characters after its first comma, then `material` appended.
QString captionWithMaterial(const QString &caption, const QString &material);
