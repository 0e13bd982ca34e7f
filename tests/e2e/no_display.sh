#!/bin/bash
# Without a reachable X display the game says so and ends with status 0
# instead of crashing.
set -euo pipefail
source "$(dirname "$0")/lib/session.bash"

copy_game
for display in "" ":250"; do
  DISPLAY=$display start_program
  wait_program 20
  [ "$program_status" -eq 0 ] || fail "exit status $program_status with DISPLAY='$display'"
  grep -qx "Error004: Graphic mode couldn't be set" stderr.log || fail "no Error004 with DISPLAY='$display'"
done
echo "no_display: ok"
