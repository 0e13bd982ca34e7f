#!/bin/bash
# Choosing 16 bits in the options and "Exit saving changes" writes the
# settings and starts the program afresh in the same process and folder;
# the new run shows the intro and ends normally.
set -euo pipefail
source "$(dirname "$0")/lib/session.bash"
source "$(dirname "$0")/lib/menus.bash"

start_menus
step_keys Down Down Return                   # Options
step_keys Down Right                         # Color depth 16
step_keys Down Down Down Down Down Down
menu_keys Return                             # Exit saving changes
# The settings are written only when the menu loop has ended; a window of
# the same process after that is the fresh copy's.
wait_for 20 test "$(settings_field depth)" -eq 16 || fail "settings hold colour depth $(settings_field depth), not 16"
sleep 1
kill -0 "$program_pid" || fail "the program ended instead of starting afresh"
skip_intro
menu_keys Up Return                          # Exit
expect_exit
echo "relaunch: ok"
