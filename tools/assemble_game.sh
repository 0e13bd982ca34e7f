#!/bin/bash
# Builds the game folder: its directories, the generated content and the
# human-written content (maps, scripts, mission descriptions).
# Usage: assemble_game.sh GAME_DIR CONTENT_DIR GENERATOR
set -euo pipefail
game=$1 content=$2 generator=$3

mkdir -p "$game"/{data,gfx,sfx,maps,mpmaps,scripts,save,screenshots}
"$generator" "$game"
for dir in maps mpmaps scripts; do
  if [ -d "$content/$dir" ]; then cp -r "$content/$dir/." "$game/$dir/"; fi
done
