#!/bin/sh
# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Renders the icon's three PNG images from resources/icons/zerfallsfrist.svg. The images are
# committed, so building needs no SVG renderer; run this after changing the SVG.
# Needs rsvg-convert (Debian: librsvg2-bin).
set -eu
cd "$(dirname "$0")/../resources/icons"
for size in 16 32 48; do
    rsvg-convert --width "$size" --height "$size" zerfallsfrist.svg -o "zerfallsfrist-$size.png"
done
