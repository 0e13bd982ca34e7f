#!/bin/bash
# The same changes left with "Exit discarding changes" leave the settings
# file as it was.
set -euo pipefail
source "$(dirname "$0")/lib/session.bash"
source "$(dirname "$0")/lib/menus.bash"

start_display
copy_game
write_settings
cp settings settings.before
start_program
skip_intro
menu_keys Down Down Return
menu_keys Down Down Down Down Down
hold_key Left 1
menu_keys Down Return
menu_keys Down Down Down Down Return x
menu_keys Down Down Down Down Down Down Down Return
menu_keys Down Down Return                   # Exit discarding changes
wait_menu 3 5
menu_keys Down Return
wait_program 20
[ "$program_status" -eq 0 ] || fail "exit status $program_status"
# Only the screenshot counter may have moved on.
cmp -s <(head -c 59 settings) <(head -c 59 settings.before) || fail "the settings file changed"
echo "options_discarded: ok"
