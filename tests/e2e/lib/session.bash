# Shared steps of the end-to-end tests: a private X server, a scratch copy
# of the game folder, and waiting for things to happen.

game_dir=${1:?usage: $0 GAME_DIR}
scratch=$(mktemp -d /tmp/korvalt-e2e-XXXXXX)
xvfb_pid=

cleanup() {
  # A game still running is killed outright: Allegro's own signal handler
  # can hang a game that is merely asked to terminate.
  [ -n "${program_pid:-}" ] && kill -KILL "$program_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -f "$scratch/game/stderr.log" ] && sed 's/^/  stderr: /' "$scratch/game/stderr.log" >&2
  exit 1
}

# wait_for SECONDS COMMAND...: retries the command until it succeeds.
wait_for() {
  local deadline=$((SECONDS + $1)); shift
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.2
  done
}

# Xvfb picks a free display number itself and reports it, so parallel
# tests never race for one.
start_display() {
  local number_file=$scratch/display
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  xvfb_pid=$!
  wait_for 10 test -s "$number_file" || fail "no X display could be started"
  export DISPLAY=:$(cat "$number_file")
  wait_for 10 xdpyinfo || fail "the X display does not answer"
}

# A fresh copy of the game folder without a settings file; becomes the
# working directory.
copy_game() {
  cp -r "$game_dir" "$scratch/game"
  rm -f "$scratch/game/settings"
  cd "$scratch/game"
}

start_program() {
  ./korvalt "$@" >stdout.log 2>stderr.log &
  program_pid=$!
}

# Waits for the program to end; its exit status lands in program_status.
wait_program() {
  local deadline=$((SECONDS + ${1:-20}))
  while kill -0 "$program_pid" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || fail "the program did not end"
    sleep 0.2
  done
  wait "$program_pid" && program_status=0 || program_status=$?
  program_pid=
}

game_window() { xdotool search --name '^Korvalt - Dunmirrow$' | head -1; }

# Keys reach the window under the pointer (no window manager runs).
press() {
  xdotool mousemove --window "$(game_window)" 400 300
  xdotool key --delay 120 "$@"
}

# expect_exit [SECONDS]: the program ends in time with status 0.
expect_exit() {
  wait_program "${1:-20}"
  [ "$program_status" -eq 0 ] || fail "exit status $program_status"
}

# A UDP port no one listens on now.
free_port() {
  python3 -c 'import socket; s=socket.socket(socket.AF_INET, socket.SOCK_DGRAM); s.bind(("", 0)); print(s.getsockname()[1])'
}

# use_free_port: the game folder's network settings name a free port,
# which lands in port.
use_free_port() {
  port=$(free_port)
  printf '[internet]\nport = %s\n' "$port" > libnet.cfg
}

# open_testmap X Y DIRECTION X Y DIRECTION: an open 25 x 19 map of the
# test's own in place of the shipped "mpmaps/testmap.kvm", with two spawn
# points, so that spawns and walks never meet a wall.
open_testmap() {
  python3 - "$@" <<'PY'
import struct, sys
w, h = 25, 19
v = [int(a) for a in sys.argv[1:]]
out = bytearray(b"\x00\x06AM") + b"data/tiles/outdoor.dat\r" + struct.pack("<ii", w, h) + b"\x00\x00" * (w * h)
out += b"\x00\x00chars\r" + struct.pack("<i", 2)
for x, y, d in zip(v[0::3], v[1::3], v[2::3]):
    out += struct.pack("<bffbbb", 0, x, y, d, 0, 0)
open("mpmaps/testmap.kvm", "wb").write(out)
PY
}
