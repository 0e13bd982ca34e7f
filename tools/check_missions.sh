#!/bin/bash
# Runs the mission checker over every shipped map in the game folder; any
# problem it prints fails the test. Then, in a scratch copy, a script with
# a fault must make it print that script's line and end with status 1.
# Usage: check_missions.sh GAME_DIR
set -euo pipefail
cd "$1"
shopt -s nullglob
maps=(maps/*.kvm mpmaps/*.kvm)
[ ${#maps[@]} -gt 0 ] || { echo "no maps in $1"; exit 1; }
./korvalt check "${maps[@]}"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp -r . "$scratch/game"
cd "$scratch/game"
printf 'event onEnter\nmsgendl Hello.\nfrobnicate\nend\n' > scripts/tut_exit.ukv
status=0
output=$(./korvalt check maps/tutorial.kvm) || status=$?
[ "$status" -eq 1 ] || { echo "status $status for a faulty map"; exit 1; }
[ "$output" = "scripts/tut_exit.ukv:3: Unknown command frobnicate" ] || { echo "unexpected report: $output"; exit 1; }
