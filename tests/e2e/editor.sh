#!/bin/bash
# The map editor on the real program: choose a map in the file selector,
# paint tiles, create, move and turn a unit, give it a script, save plain
# and quit; a second run saves the same map pre-compiled.
set -euo pipefail
source "$(dirname "$0")/lib/session.bash"
check_map="python3 $(dirname "$(readlink -f "$0")")/lib/map_check.py"

start_display
copy_game
printf 'maps/e2e.kvm\ndata/tiles/outdoor.dat\ne2e_chars.txt\n12 10 S 0\n' >e2e.txt
./korvalt creator e2e.txt
printf '1\np 3.0 100 0 60 40 8 5 2 p.dat\n2\ne 2 40 0 2 8 400 e.dat\nf 2 40 0 2 8 400 e.dat\n0\n' >e2e_chars.txt
printf 'event onKill\nadd %%41 1\nend\n' >scripts/guard.ukv

# type_in TEXT: types into a file selector's path, after what it shows.
type_in() {
  xdotool type --delay 40 "$1"; xdotool key Return
}

# hold KEY SECONDS: keeps a key down for a while.
hold() {
  xdotool keydown "$1"; sleep "$2"; xdotool keyup "$1"; sleep 0.2
}

open_editor() {
  start_program editor
  wait_for 20 game_window || fail "no editor window"
  sleep 0.6
  type_in e2e.kvm  # after "maps/"
  sleep 0.8
}

# Esc, "Yes" to saving, the kind of save ($1: d plain, p pre-compiled),
# the file selector's proposal, "Yes" to quitting.
save_and_quit() {
  press Escape; sleep 0.3
  press y; sleep 0.3
  press "$1"; sleep 0.5
  press Return; sleep 0.5
  press y
  wait_program 20
}

open_editor
press e e                            # tile 2
xdotool keydown space; sleep 0.2
press d d                            # paint (0, 0) to (2, 0)
xdotool keyup space; sleep 0.2
press Alt_L; sleep 0.3               # unit mode: "Create new unit?"
press y
hold d 0.4; hold s 0.4               # move right and down
xdotool keydown Shift_L; hold d 0.4; xdotool keyup Shift_L
press Control_L; sleep 0.3           # "Use script for this unit?"
press y; sleep 0.5
type_in guard.ukv                    # after "scripts/"
sleep 0.3
save_and_quit d
[ "$program_status" -eq 0 ] || fail "editor exit status $program_status"

$check_map maps/e2e.kvm >plain.json || fail "the plain save does not read back"
python3 - plain.json <<'PY' || fail "the plain save lacks the edits: $(cat plain.json)"
import json, sys
m = json.load(open(sys.argv[1]))
assert m["tiles"][:4] == [2, 2, 2, 0], m["tiles"][:4]
assert m["characters"] == "e2e_chars.txt"
(u,) = m["units"]
assert u["type"] == 1 and u["x"] > 8 and u["y"] > 8 and u["direction"] > 0, u
assert u["script"] == "scripts/guard.ukv", u
PY

open_editor
save_and_quit p
[ "$program_status" -eq 0 ] || fail "second editor exit status $program_status"
$check_map maps/e2e.kvm >compiled.json || fail "the pre-compiled save does not read back"
python3 - compiled.json plain.json <<'PY' || fail "the pre-compiled save differs: $(cat compiled.json)"
import json, sys
m, plain = json.load(open(sys.argv[1])), json.load(open(sys.argv[2]))
assert m["tiles"] == plain["tiles"]
assert m["units"][0]["script"] == "compiled"
PY
echo "editor: ok"
