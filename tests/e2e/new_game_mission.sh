#!/bin/bash
# A new game from the main menu: "New Game", "Start New Game", "Easy",
# "Skip tutorial" (maps/default names the test map), the description screen
# (S opens the slot choice, cancelled; Enter continues), a walk and a shot,
# Esc, "Quit to main menu", "Exit": status 0 and save/slot0.sav holding the
# map name and "4 3". A second map names "GO" after a few ticks: after the
# game-over picture the load dialog opens at once, on the autosave.
set -euo pipefail
source "$(dirname "$0")/lib/session.bash"
source "$(dirname "$0")/lib/menus.bash"

start_display
copy_game
write_settings

# The test missions: a 12 x 10 grass map with the player and one far enemy.
python3 - <<'PY'
import struct
def text(s): return s.encode() + b"\r"
def mission(name, title, script):
    m = bytes([0, 6, ord("A"), ord("S")]) + text("data/tiles/outdoor.dat") + struct.pack("<ii", 12, 10)
    m += bytes([0, 0]) * (12 * 10)
    m += bytes([0, 0]) + text("e2echars.txt") + struct.pack("<i", 2)
    m += bytes([0]) + struct.pack("<ff", 80, 160) + bytes([64, 0, 0])
    m += bytes([1]) + struct.pack("<ff", 360, 40) + bytes([0, 0, 0])
    open("maps/%s.kvm" % name, "wb").write(m)
    open("maps/%s.kvd" % name, "w").write("-Stay alive\n%s\n3 3\nA short walk.\n" % title)
    if script:
        open("scripts/%sglobal.ukv" % name, "w").write(script)
open("e2echars.txt", "w").write(
    "1\nplayer 3.0 100 50 1 60 40 8 5 2 data/units/player.dat\n"
    "1\nrifleman 2.0 40 0 2 8 -1 data/units/rifleman.dat\n0\n")
# Short titles keep the slot screen's labels clear of the spot that
# shows_button compares.
mission("e2ewalk", "Walk", "")
mission("e2edie", "Fall", "event global\ninc %40\nequal %40 20\nif ZFLAG\ngoto GO\nendif\nend\n")
open("maps/default", "w").write("e2ewalk\n")
PY

# new_game: from the main menu on "New Game" to the mission's description.
new_game() {
  menu_keys Return                           # New Game
  wait_menu 0 3
  menu_keys Return                           # Start New Game
  wait_menu 0 3 "$last_shot"
  menu_keys Return                           # Easy
  wait_menu 0 2
  menu_keys Down Return                      # Skip tutorial
  wait_for 10 test -s save/slot0.sav || fail "no automatic savegame"
}

start_program
skip_intro
new_game
menu_keys s                                  # the slot choice: 3 slots and Cancel
wait_menu 0 4
menu_keys Up Return                          # Cancel
sleep 0.5
for slot in 1 2 3; do [ ! -e save/slot$slot.sav ] || fail "a cancelled save wrote slot $slot"; done
menu_keys Return                             # Continue
sleep 0.5
hold_key w 0.5
xdotool mousemove --window "$(game_window)" 600 160 click 1
sleep 0.3
menu_keys Escape
sleep 0.5
menu_keys Up Return                          # Quit to main menu
wait_menu 0 5
menu_keys Up Return                          # Exit
expect_exit
[ "$(cat save/slot0.sav)" = "$(printf 'e2ewalk\n4 3')" ] || fail "slot 0 holds: $(cat save/slot0.sav)"

# The mission fails on purpose; the load dialog must follow.
echo e2edie >maps/default
rm -f save/slot*.sav
start_program
skip_intro
main_menu=$last_shot
new_game
menu_keys Return                             # Continue; the script names GO after 20 ticks
sleep 5                                      # the game-over picture stays 4 seconds
wait_menu 0 5 "$main_menu"                   # five rows on the autosave, not the main menu
echo "new_game_mission: ok"
