#!/bin/sh
# Makes the desktop icons (hicolor sizes) from the tallest tower's button in the game's own art.
# Pixel-art sizes are whole multiples of the 48-pixel base; the two small sizes are scaled down smoothly.
set -eu
cd "$(dirname "$0")/../.."
out=packaging/icons
base=$(mktemp --suffix=.png)
trap 'rm -f "$base"' EXIT
convert assets/images/105_tower_buttons.png -crop 40x47+200+0 +repage \
  -background none -gravity center -extent 48x48 "$base"
install -m 644 "$base" "$out/48x48.png"
convert "$base" -scale 200% "$out/96x96.png"
convert "$base" -scale 400% "$out/192x192.png"
convert "$base" -filter box -resize 32x32 "$out/32x32.png"
convert "$base" -filter box -resize 16x16 "$out/16x16.png"
