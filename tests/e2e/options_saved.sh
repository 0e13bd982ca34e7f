#!/bin/bash
# A later start skips the intro with a key. Options: holding Left lowers
# the music volume, Shoot gets X on the key-change screen, "Exit saving
# changes", "Exit": the settings file holds both changes.
set -euo pipefail
source "$(dirname "$0")/lib/session.bash"
source "$(dirname "$0")/lib/menus.bash"

start_display
copy_game
write_settings
start_program
skip_intro
menu_keys Down Down Return                   # Load Game is disabled: Options
menu_keys Down Down Down Down Down           # Music volume
hold_key Left 1
menu_keys Down Return                        # Controls
menu_keys Down Down Down Down Return x       # Shoot gets X
menu_keys Down Down Down Down Down Down Down Return   # Finished
menu_keys Down Return                        # Exit saving changes
wait_menu 3 5
menu_keys Down Return                        # Exit
wait_program 20
[ "$program_status" -eq 0 ] || fail "exit status $program_status"
[ "$(settings_field music)" -lt 175 ] || fail "music volume $(settings_field music) not lowered"
[ "$(settings_field shoot)" -eq 24 ] || fail "Shoot is bound to $(settings_field shoot), not X (24)"
echo "options_saved: ok"
