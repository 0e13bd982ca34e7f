#!/bin/bash
# Builds the game folder: its directories, the generated content and the
# human-written content: character sets, scripts, mission descriptions and
# "maps/default" are copied; map sources (content/maps/*.txt,
# content/mpmaps/*.txt) are built into map files by the map tool, in the
# game folder, so that their "compile" scripts name game paths.
# Usage: assemble_game.sh GAME_DIR CONTENT_DIR GENERATOR MAPTOOL
set -euo pipefail
game=$1 content=$2 generator=$3 maptool=$4

mkdir -p "$game"/{data,gfx,sfx,maps,mpmaps,scripts,sets,save,screenshots}
"$generator" "$game"
for dir in scripts sets; do
  if [ -d "$content/$dir" ]; then cp -r "$content/$dir/." "$game/$dir/"; fi
done
for dir in maps mpmaps; do
  [ -d "$content/$dir" ] || continue
  find "$content/$dir" -maxdepth 1 -type f ! -name '*.txt' -exec cp {} "$game/$dir/" \;
  for source in "$content/$dir"/*.txt; do
    [ -e "$source" ] || continue
    name=$(basename "$source" .txt)
    (cd "$game" && "$maptool" build "$source" "$dir/$name.kvm")
  done
done
rm -f "$game/compiler.log"
