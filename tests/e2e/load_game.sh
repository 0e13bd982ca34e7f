#!/bin/bash
# With savegames in place "Load Game" opens the slot screen. A damaged
# savegame is refused in a message box and the main menu comes back on
# "Load Game", as it does after "Cancel" chosen with the mouse; a good one
# starts its mission (here a map that isn't there, which the mission refuses
# with its message, ending the program).
set -euo pipefail
source "$(dirname "$0")/lib/session.bash"
source "$(dirname "$0")/lib/menus.bash"

prepare() {
  printf 'gate\n2 1' >save/slot1.sav
  printf 'gate\n9 9' >save/slot2.sav
  printf -- '-Reach the gate\nGate Run\n1 1\nHold the gate.\n' >maps/gate.kvd
}
start_menus
step_keys Down                               # Load Game
main_menu=$last_shot
step_keys Return
wait_menu 1 5 "$main_menu"                   # the slot screen on Slot 1 (no autosave)
step_keys Down
menu_keys Return                             # Slot 2 is damaged
sleep 1
menu_keys Return                             # closes the message box
wait_menu 1 5                                # the main menu on Load Game
cmp -s "$last_shot" "$main_menu" || fail "not the main menu after the refusal"

step_keys Return
wait_menu 1 5 "$main_menu"
click_at 400 500                             # Cancel
wait_menu 1 5
cmp -s "$last_shot" "$main_menu" || fail "not the main menu after Cancel"
step_keys Return
menu_keys Return                             # Slot 1
wait_for 10 grep -q 'map "maps/gate.kvm"' stderr.log || fail "the savegame's mission was not started"
wait_for 10 xdotool search --class Xmessage || fail "no message box"
xdotool windowkill "$(xdotool search --class Xmessage | head -1)"
expect_exit 10
echo "load_game: ok"
