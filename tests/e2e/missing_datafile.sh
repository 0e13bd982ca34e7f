#!/bin/bash
# Without data/data.dat the game reports Error007 naming the file in a
# message box; once the box is closed the status is 0.
set -euo pipefail
source "$(dirname "$0")/lib/session.bash"

start_display
copy_game
rm data/data.dat
start_program
wait_for 20 grep -q 'Error007: Loading datafile "data/data.dat" failed' stderr.log || fail "no Error007 on stderr"
wait_for 10 xdotool search --class Xmessage || fail "no message box"
box=$(xdotool search --class Xmessage | head -1)
xdotool mousemove --window "$box" 5 5
xdotool key Return
if ! wait_for 5 bash -c "! kill -0 $program_pid"; then
  xdotool windowkill "$box"
fi
expect_exit 10
echo "missing_datafile: ok"
