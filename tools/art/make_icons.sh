#!/bin/sh
# Makes the desktop icons (hicolor sizes) and the web app's icons from the tallest tower's button in
# the game's own art. Pixel-art sizes are whole multiples of the 48-pixel base; the two small desktop
# sizes are scaled down smoothly. The maskable and Apple touch icons put the button on the night of
# its own frame, full bleed, with the button inside the central circle that every mask keeps.
set -eu
cd "$(dirname "$0")/../.."
out=packaging/icons
web=web/icons
night='#10081C'  # the button's outer frame
button=$(mktemp --suffix=.png)
base=$(mktemp --suffix=.png)
trap 'rm -f "$button" "$base"' EXIT
convert assets/images/105_tower_buttons.png -crop 40x47+200+0 +repage "$button"
convert "$button" -background none -gravity center -extent 48x48 "$base"
install -m 644 "$base" "$out/48x48.png"
convert "$base" -scale 200% "$out/96x96.png"
convert "$base" -scale 400% "$out/192x192.png"
convert "$base" -filter box -resize 32x32 "$out/32x32.png"
convert "$base" -filter box -resize 16x16 "$out/16x16.png"

install -m 644 "$out/192x192.png" "$web/icon-192.png"
convert "$base" -scale 1000% -background none -gravity center -extent 512x512 "$web/icon-512.png"
# 6 times 40 x 47 reaches 185 pixels from the middle, inside the 205-pixel safe circle of 512.
convert "$button" -scale 600% -background "$night" -gravity center -extent 512x512 -flatten "$web/maskable-512.png"
convert "$button" -scale 300% -background "$night" -gravity center -extent 180x180 -flatten "$web/apple-touch-icon.png"
