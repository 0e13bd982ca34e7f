#!/bin/bash
# Runs the mission checker over every shipped map in the game folder; any
# problem it prints fails the test.
# Usage: check_missions.sh GAME_DIR
set -euo pipefail
cd "$1"
shopt -s nullglob
maps=(maps/*.kvm mpmaps/*.kvm)
[ ${#maps[@]} -gt 0 ] || { echo "no maps in $1"; exit 1; }
./korvalt check "${maps[@]}"
