#!/bin/bash
# Multiplayer from the main menu: one copy hosts ("Multiplayer", "Server"),
# a second joins as client through "server.txt". Each side sees the other
# walk; when the host quits, the client ends its game and is back in its
# menu. The windows stand side by side on a wide private display.
set -euo pipefail
source "$(dirname "$0")/lib/session.bash"

copy_game
host=$scratch/game
host_pid= guest_pid=
# The game doesn't end on SIGTERM once its display is gone: kill what is left.
trap 'kill -9 $host_pid $guest_pid 2>/dev/null || true; cleanup' EXIT
grep -aq "Load Game" korvalt || { echo "mp_menu: skipped (this build has no main menu)"; exit 0; }
# A wide display of our own, numbered away from the low numbers that other
# X servers on the machine come and go on.
for try in 1 2 3 4 5; do
  export DISPLAY=:$((300 + RANDOM % 600))
  Xvfb "$DISPLAY" -screen 0 1700x640x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  wait_for 5 xdpyinfo && break
  kill "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=
done
[ -n "$xvfb_pid" ] || fail "no X display could be started"

port=$(python3 -c 'import socket; s=socket.socket(socket.AF_INET, socket.SOCK_DGRAM); s.bind(("", 0)); print(s.getsockname()[1])')
printf '[internet]\nport = %s\n' "$port" > libnet.cfg
# Settings as a second start writes them (windowed, 32 bits), so the intro
# gives way to the first key.
python3 -c 'import struct; open("settings","wb").write(struct.pack("<BB12iBBiBBBi", 2, 0, 1, 4, 23, 19, 75, 119, 117, 5, 17, 115, 64, 13, 4, 0, 32, 100, 100, 0, 0))'
[ -f mpmaps/testmap.kvm ] || python3 - <<'PY'
import struct
w, h = 25, 19
out = bytearray(b"\x00\x06AM") + b"data/tiles/outdoor.dat\r" + struct.pack("<ii", w, h) + b"\x00\x00" * (w * h)
out += b"\x00\x00chars\r" + struct.pack("<i", 2)
for x, y, d in [(300, 300, 64), (420, 300, -64)]:
    out += struct.pack("<bffbbb", 0, x, y, d, 0, 0)
open("mpmaps/testmap.kvm", "wb").write(out)
PY
cp -r "$host" "$scratch/guest"
echo "127.0.0.1:$port" > "$scratch/guest/server.txt"

windows() { xdotool search --name '^Korvalt - Dunmirrow$' 2>/dev/null || true; }
windows_open() { [ "$(windows | wc -l)" -ge "$1" ]; }
shots_beyond() { [ "$(ls "$1"/screenshots | wc -l)" -gt "$2" ]; }
# keys WINDOW KEY...: typed into the window (the pointer rests in its
# corner), one key every 0.3 seconds so each screen takes its own.
keys() {
  local window=$1; shift
  xdotool mousemove --window "$window" 4 4
  for k in "$@"; do xdotool key --delay 150 "$k"; sleep 0.3; done
}
# hold WINDOW KEY SECONDS
hold() {
  xdotool mousemove --window "$1" 4 4
  xdotool keydown "$2"; sleep "$3"; xdotool keyup "$2"
}
# shot WINDOW DIR: F9 there; prints the new screenshot's path.
shot() {
  local before; before=$(ls "$2"/screenshots | wc -l)
  keys "$1" F9
  wait_for 5 shots_beyond "$2" "$before" || fail "no screenshot in $2"
  ls -t "$2"/screenshots/*.bmp | head -1
}
# differs A B: the pictures differ below the message box (y >= 160).
differs() {
  python3 - "$1" "$2" <<'PY'
import struct, sys
def rows(name):
    data = open(name, "rb").read()
    offset, _, w, h, _, bits = struct.unpack_from("<IIiiHH", data, 10)
    stride = (w * bits // 8 + 3) & ~3
    return [data[offset + y * stride: offset + (y + 1) * stride] for y in range(abs(h))]
a, b = rows(sys.argv[1]), rows(sys.argv[2])
# Rows are stored bottom up: the first 440 rows are the screen's y >= 160.
sys.exit(0 if a[:440] != b[:440] else 1)
PY
}

(cd "$host" && exec ./korvalt >stdout.log 2>stderr.log) &
host_pid=$!
wait_for 20 windows_open 1 || fail "no host window"
host_window=$(windows | head -1)
# Past the intro; "Multiplayer" is one row down, as "Load Game" is
# disabled without savegames; "Server".
# menu_path WINDOW KEY...: then the keys of the server-or-client menu.
menu_path() {
  local w=$1; shift
  sleep 1
  keys "$w" Return
  sleep 1.5
  keys "$w" Down
  sleep 0.5
  keys "$w" Return
  sleep 1
  keys "$w" "$@"
}
menu_path "$host_window" Return
sleep 1

(cd "$scratch/guest" && exec ./korvalt >stdout.log 2>stderr.log) &
guest_pid=$!
wait_for 20 windows_open 2 || fail "no guest window"
guest_window=$(windows | grep -vx "$host_window" | head -1)
xdotool windowmove "$guest_window" 880 0; sleep 0.5
menu_path "$guest_window" Down Return
sleep 2

host_before=$(shot "$host_window" "$host")
hold "$guest_window" w 0.8
host_after=$(shot "$host_window" "$host")
differs "$host_before" "$host_after" || fail "the host's view did not show the guest walk"

guest_before=$(shot "$guest_window" "$scratch/guest")
hold "$host_window" w 0.8
guest_after=$(shot "$guest_window" "$scratch/guest")
differs "$guest_before" "$guest_after" || fail "the guest's view did not show the host walk"

keys "$host_window" Escape Escape
sleep 6
kill -0 "$guest_pid" 2>/dev/null || fail "the guest ended instead of going back to its menu"
menu_host=$(shot "$host_window" "$host")
menu_guest=$(shot "$guest_window" "$scratch/guest")
python3 - "$menu_host" "$menu_guest" <<'PY' || fail "host and guest are not both back in the main menu"
import struct, sys
def pixels(name):
    data = open(name, "rb").read()
    offset = struct.unpack_from("<I", data, 10)[0]
    return data[offset:]
a, b = pixels(sys.argv[1]), pixels(sys.argv[2])
same = sum(1 for x, y in zip(a[::97], b[::97]) if x == y)
sys.exit(0 if same > 0.97 * len(a[::97]) else 1)
PY
# Both leave through "Exit", two rows below "Multiplayer". The menus now and
# then miss a synthetic key; a game still running is killed on the way out.
keys "$host_window" Down Down Return
keys "$guest_window" Down Down Return
running=
for pid in $host_pid $guest_pid; do
  if wait_for 10 bash -c "! kill -0 $pid"; then
    wait "$pid" || fail "a game ended with status $?"
  else
    echo "mp_menu: note: a game missed its Exit keys"
    running="$running $pid"
  fi
done
host_pid=$running guest_pid=
echo "mp_menu: ok"
