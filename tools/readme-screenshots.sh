#!/usr/bin/env bash
# Retakes the README's pictures, and the pictures of the main window in the
# help window's guide, from the screenshots of the last end-to-end run
# (build/e2e/screenshots, left by ./tools/test.sh): each is the part of the
# 1024 x 768 desktop that shows its subject. The guide is then drawn again.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
shots=$root/build/e2e/screenshots
out=$root/docs/screenshots

# README picture, e2e screenshot, the part of it (width x height + left + top)
crops=(
  "main-window main-window 420x200+300+280"
  "balloon balloon 360x260+664+508"
  "tray-menu-down tray-menu-down 300x200+724+568"
  "tray-menu-up tray-menu-up 300x200+440+150"
  "picking picking 290x140+368+330"
  "slider half-transparent-target 290x140+368+330"
  "ghost-panel ghost-panel-notepad 440x160+540+40"
  "tip-dialog tip-dialog 420x190+300+290"
  "tip-dialog-balloon-off tip-dialog-balloon-off 420x190+300+290"
  "help-page help-page 590x455+155+170"
  "help-guide help-guide 680x455+112+170"
)
# The guide's steps: the main window alone (its first-run place is
# 376, 336), before a pick, while picking, and with a target at 128.
guide=(
  "guide_step1 main-window 273x96+376+336"
  "guide_step2 picking 273x123+376+336"
  "guide_step3 half-transparent-target 273x96+376+336"
)
mkdir -p "$out"
for crop in "${crops[@]}" "${guide[@]}"; do
  read -r name shot geometry <<<"$crop"
  if [ ! -f "$shots/$shot.png" ]; then
    echo "readme-screenshots: $shots/$shot.png is missing; run ./tools/test.sh first" >&2
    exit 1
  fi
  dest=$out
  [[ "$name" == guide_* ]] && dest=$root/resources
  convert "$shots/$shot.png" -crop "$geometry" +repage "$dest/$name.png"
  echo "$dest/$name.png"
done
"$root/resources/draw_svg_pictures.sh"
