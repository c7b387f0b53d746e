#!/bin/sh
# Regenerates varnel.ico: a small yellow sticky note with a folded corner and
# two ruled lines, at 16, 32 and 48 pixels.
set -e
cd "$(dirname "$0")"
tmp=$(mktemp -d)
for s in 16 32 48; do
  m=$((s - 1)); f=$((s / 4)); l1=$((s * 2 / 5)); l2=$((s * 3 / 5)); x0=$((s / 5)); x1=$((s - s / 5))
  convert -size ${s}x${s} xc:none \
    -fill '#FFF176' -stroke '#C8A800' -strokewidth 1 \
    -draw "polygon 0,0 $m,0 $m,$((m - f)) $((m - f)),$m 0,$m" \
    -fill '#E6C200' -draw "polygon $m,$((m - f)) $((m - f)),$((m - f)) $((m - f)),$m" \
    -stroke '#8D6E00' -draw "line $x0,$l1 $x1,$l1" -draw "line $x0,$l2 $x1,$l2" \
    "$tmp/note$s.png"
done
convert "$tmp/note16.png" "$tmp/note32.png" "$tmp/note48.png" varnel.ico
rm -rf "$tmp"
