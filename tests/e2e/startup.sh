#!/bin/bash
# A first start writes the settings and plays the intro, which no key cuts
# short before its text has faded in; then a key leads to the main menu.
# F9 takes screenshots; "Exit" ends with status 0 and the settings keep the
# screenshot number.
set -euo pipefail
source "$(dirname "$0")/lib/session.bash"
source "$(dirname "$0")/lib/menus.bash"

start_display
copy_game
start_program
wait_for 20 game_window || fail "no game window"
wait_for 10 test -s settings || fail "no settings file"
[ "$(stat -c %s settings)" -eq 63 ] || fail "settings is not 63 bytes"

screenshot                                   # the intro runs
menu_keys x                                  # too early on a first start
screenshot
! shows_button "$last_shot" 0 5 || fail "a key cut the first intro short"

deadline=$((SECONDS + 30))
until menu_keys x && screenshot && shows_button "$last_shot" 0 5; do
  [ $SECONDS -lt $deadline ] || fail "no main menu after the intro"
done

menu_keys Up Return                          # Up wraps to Exit
expect_exit
shots=$(ls screenshots | wc -l)
[ "$(settings_field shots)" -eq "$shots" ] || fail "settings do not hold screenshot number $shots"
echo "startup: ok"
