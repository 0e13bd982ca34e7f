#!/bin/bash
# The same changes left with "Exit discarding changes" leave the settings
# file as it was.
set -euo pipefail
source "$(dirname "$0")/lib/session.bash"
source "$(dirname "$0")/lib/menus.bash"

prepare() { cp settings settings.before; }
start_menus
change_music_and_shoot
step_keys Down Down Return                   # Exit discarding changes
wait_menu 3 5
menu_keys Down Return
expect_exit
# Only the screenshot counter may have moved on.
cmp -s <(head -c 59 settings) <(head -c 59 settings.before) || fail "the settings file changed"
echo "options_discarded: ok"
