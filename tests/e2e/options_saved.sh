#!/bin/bash
# A later start skips the intro with a key. Options: holding Left lowers
# the music volume, Shoot gets X on the key-change screen, "Exit saving
# changes", "Exit": the settings file holds both changes.
set -euo pipefail
source "$(dirname "$0")/lib/session.bash"
source "$(dirname "$0")/lib/menus.bash"

start_menus
change_music_and_shoot
step_keys Down Return                        # Exit saving changes
wait_menu 3 5
menu_keys Down Return                        # Exit
expect_exit
[ "$(settings_field music)" -lt 175 ] || fail "music volume $(settings_field music) not lowered"
[ "$(settings_field shoot)" -eq 24 ] || fail "Shoot is bound to $(settings_field shoot), not X (24)"
echo "options_saved: ok"
