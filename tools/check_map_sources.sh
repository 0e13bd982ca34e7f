#!/bin/bash
# Map sources and map files agree: every source of content/ builds into the
# map file of the game folder, and every map file there turns into a source
# that builds the same bytes again. Malformed sources are refused with the
# right line.
# Usage: check_map_sources.sh MAPTOOL CONTENT_DIR GAME_DIR BAD_SOURCES_DIR
set -uo pipefail
maptool=$1 content=$2 game=$3 bad=$4
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }

for dir in maps mpmaps; do
  for source in "$content/$dir"/*.txt; do
    [ -e "$source" ] || continue
    name=$(basename "$source" .txt)
    built="$game/$dir/$name.kvm"
    (cd "$game" && "$maptool" build "$source" "$scratch/$name.kvm") || { fail "$source doesn't build"; continue; }
    cmp -s "$scratch/$name.kvm" "$built" || fail "$built is not what $source builds"
  done
  for map in "$game/$dir"/*.kvm; do
    [ -e "$map" ] || continue
    name=$(basename "$map" .kvm)
    "$maptool" text "$map" "$scratch/$name.txt" || { fail "$map doesn't turn into a source"; continue; }
    "$maptool" build "$scratch/$name.txt" "$scratch/$name.again.kvm" || { fail "the source of $map doesn't build"; continue; }
    cmp -s "$map" "$scratch/$name.again.kvm" || fail "$map changes through its source"
  done
done

# Each bad source names, in its first line, the problem the tool reports:
# "; expect LINE: MESSAGE".
for source in "$bad"/*.txt; do
  expected=$(head -n 1 "$source" | sed 's/^; expect //')
  output=$("$maptool" build "$source" "$scratch/bad.kvm" 2>&1) && fail "$source was accepted"
  [[ "$output" == "$source:$expected"* ]] || fail "$source: got \"$output\", expected \"$source:$expected\""
done
exit $status
