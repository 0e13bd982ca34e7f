#!/bin/bash
# The game starts in its folder, writes its settings, takes a screenshot on
# F9 and ends with status 0 on Esc, remembering the screenshot number.
set -euo pipefail
source "$(dirname "$0")/lib/session.bash"

start_display
copy_game
start_program
wait_for 20 game_window || fail "no game window"
wait_for 10 test -s settings || fail "no settings file"
[ "$(stat -c %s settings)" -eq 63 ] || fail "settings is not 63 bytes"

sleep 0.5
press F9
wait_for 10 test -s screenshots/screenshot00000.bmp || fail "F9 wrote no screenshot"
python3 - screenshots/screenshot00000.bmp <<'PY' || fail "the screenshot is not an 800 x 600 picture of the loading screen"
import struct, sys
data = open(sys.argv[1], "rb").read()
assert data[:2] == b"BM"
offset, _, width, height, _, bits = struct.unpack_from("<IIiiHH", data, 10)
assert (width, abs(height)) == (800, 600), (width, height)
pixels = data[offset:]
assert any(b > 128 for b in pixels), "no bright (text) pixel"
PY

press Escape
wait_program 20
[ "$program_status" -eq 0 ] || fail "exit status $program_status"
python3 -c "import struct,sys; sys.exit(struct.unpack_from('<i', open('settings','rb').read(), 59)[0] != 1)" \
  || fail "settings do not hold screenshot number 1"
echo "startup: ok"
