#!/bin/bash
# Runs the content generator a second time into a fresh folder and checks
# that every generated file has the same bytes as in the game folder.
# Usage: check_reproducible.sh GENERATOR GAME_DIR
set -euo pipefail
generator=$1 game=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/game"
"$generator" "$scratch/game"
status=0
while IFS= read -r -d '' file; do
  relative=${file#"$scratch/game/"}
  if ! cmp -s "$file" "$game/$relative"; then
    echo "differs between builds: $relative"
    status=1
  fi
done < <(find "$scratch/game" -type f -print0)
exit $status
