#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# Renders the pictures the program loads from their vector sources in art/:
# the core pictures under img/, splash.jpg and the multi-size Zelmora.ico, each also at
# twice the density, and the launcher's icon under packaging/icons/.
# The rendered files are committed; run this after editing a drawing.
# Needs rsvg-convert (librsvg2-bin) and ImageMagick's convert.
set -euo pipefail
cd "$(dirname "$0")/.."

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The core pictures as 256-colour PNGs: they look the same and load several times faster,
# which matters because the window decodes five of them as icons whenever it is built.
# Each also at twice the density ("@2x") for screens scaled above 100 %.
for core in P-core PL-core E-core EL-core O-core chashka Other; do
    rsvg-convert "art/$core.svg" -o "$scratch/$core.png"
    convert "$scratch/$core.png" -strip PNG8:"img/$core.png"
    rsvg-convert -z 2 "art/$core.svg" -o "$scratch/$core@2x.png"
    convert "$scratch/$core@2x.png" -strip PNG8:"img/$core@2x.png"
done

rsvg-convert art/splash.svg -o "$scratch/splash.png"
convert "$scratch/splash.png" -strip -quality 92 splash.jpg
rsvg-convert -z 2 art/splash.svg -o "$scratch/splash@2x.png"
convert "$scratch/splash@2x.png" -strip -quality 92 splash@2x.jpg

icons=()
for size in 16 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" art/Zelmora.svg -o "$scratch/icon-$size.png"
    icons+=("$scratch/icon-$size.png")
done
convert "${icons[@]}" Zelmora.ico

# The launcher's icon for icon themes, beside the scalable drawing.
for size in 48 64 128 256; do
    convert "$scratch/icon-$size.png" -strip "packaging/icons/org.example.zelmora-$size.png"
done
