# Shared steps of the multiplayer end-to-end runs with real game windows:
# a wide private display for two windows side by side, a game folder with a
# port of its own, settings of a second start and a test map, and the keys,
# screenshots and comparisons the runs use. Source after session.bash, in
# the copied game folder.

game_pids=
# The game doesn't end on SIGTERM once its display is gone: kill what is left.
trap 'kill -9 $game_pids 2>/dev/null || true; cleanup' EXIT

mp_prepare() {
  local name=$1
  grep -aq "Load Game" korvalt || { echo "$name: skipped (this build has no main menu)"; exit 0; }
  # Numbered away from the low numbers other X servers come and go on.
  for try in 1 2 3 4 5; do
    export DISPLAY=:$((300 + RANDOM % 600))
    Xvfb "$DISPLAY" -screen 0 1700x640x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    wait_for 5 xdpyinfo && break
    kill "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
  done
  [ -n "$xvfb_pid" ] || fail "no X display could be started"
  use_free_port
  echo "127.0.0.1:$port" > server.txt
  # Settings as a second start writes them (windowed, 32 bits), so the
  # intro gives way to the first key.
  python3 -c 'import struct; open("settings","wb").write(struct.pack("<BB12iBBiBBBi", 2, 0, 1, 4, 23, 19, 75, 119, 117, 5, 17, 115, 64, 13, 4, 0, 32, 100, 100, 0, 0))'
  open_testmap 300 300 64  420 300 -64
}

windows() { xdotool search --name '^Korvalt - Dunmirrow$' 2>/dev/null || true; }
windows_open() { [ "$(windows | wc -l)" -ge "$1" ]; }
shots_beyond() { [ "$(ls "$1"/screenshots | wc -l)" -gt "$2" ]; }

# start_game DIR X: starts the copy in DIR, waits for its window and moves
# it to x = X; sets game_pid and game_window.
start_game() {
  local known; known=$(windows)
  (cd "$1" && exec ./korvalt >stdout.log 2>stderr.log) &
  game_pid=$!
  game_pids="$game_pids $game_pid"
  wait_for 20 windows_open $(($(echo -n "$known" | grep -c .) + 1)) || fail "no window for $1"
  game_window=$(windows | grep -vxF "${known:-none}" | head -1)
  xdotool windowmove "$game_window" "$2" 0
  sleep 0.5
}

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

# menu_path WINDOW KEY...: past the intro to "Multiplayer" (one row down,
# as "Load Game" is disabled without savegames), then the keys of the
# server-or-client menu.
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

# alike A B: the pictures agree in at least 97 % of sampled bytes.
alike() {
  python3 - "$1" "$2" <<'PY'
import struct, sys
def pixels(name):
    data = open(name, "rb").read()
    return data[struct.unpack_from("<I", data, 10)[0]:]
a, b = pixels(sys.argv[1])[::97], pixels(sys.argv[2])[::97]
sys.exit(0 if sum(1 for x, y in zip(a, b) if x == y) > 0.97 * len(a) else 1)
PY
}

# leave WINDOW...: each game leaves through "Exit", two rows below
# "Multiplayer", and must end with status 0. The menus now and then miss a
# synthetic key; a game still running then is killed on the way out.
leave() {
  for w in "$@"; do keys "$w" Down Down Return; done
  local pid
  for pid in $game_pids; do
    if wait_for 10 bash -c "! kill -0 $pid"; then
      wait "$pid" || fail "a game ended with status $?"
      game_pids=${game_pids/ $pid/}
    else
      echo "note: a game missed its Exit keys"
    fi
  done
}
