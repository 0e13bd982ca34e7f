#!/bin/bash
# The headless server: no display at all. Start errors are one line on
# standard error with a non-zero status; two clients join, one walks and the
# other sees it; SIGTERM sends QUIT to both, even to one that loses the first
# datagram of it, and the server ends with 0.
set -euo pipefail
source "$(dirname "$0")/lib/session.bash"
lib=$(cd "$(dirname "$0")/lib" && pwd)

copy_game
unset DISPLAY
use_free_port
open_testmap 200 200 64  600 200 -64

for args in "nomap" "testmap 9"; do
  status=0
  ./korvalt server $args >stdout.log 2>stderr.log || status=$?
  [ "$status" -ne 0 ] || fail "'server $args' ended with status 0"
  [ "$(wc -l <stderr.log)" -eq 1 ] || fail "'server $args' wrote more than one error line"
done
grep -q 'Slots must be a number from 1 to 8' stderr.log || fail "no reason for 9 slots"

start_program server testmap 4
wait_for 10 grep -q "Server started: map testmap, 4 slots, port $port" stdout.log || fail "server did not start"
status=0
./korvalt server testmap 4 >/dev/null 2>second.log || status=$?
[ "$status" -ne 0 ] && grep -q "Cannot open listening connection" second.log || fail "a second server on the port started"

PYTHONPATH=$lib python3 - "$port" "$program_pid" <<'PY' || fail "the clients' session went wrong"
import os, signal, sys, time
from mp_peer import *
port, server = int(sys.argv[1]), int(sys.argv[2])
a, b = Peer(port), Peer(port)
assert a.join() == (0, 4, "testmap")
assert b.join() == (1, 4, "testmap")
first = None
for _ in range(15):
    a.walk(192)
    b.pump()
    for m in [m for m in b.inbox if m[0] == PLAYER_STATES]:
        x = positions(m).get(0, (None,))[0]
        first = first if first is not None or x is None else x
        last = x if x is not None else locals().get("last")
    b.inbox = [m for m in b.inbox if m[0] != PLAYER_STATES]
    time.sleep(0.04)
assert first is not None and last < first - 20, (first, last)
b.lose_first = QUIT
os.kill(server, signal.SIGTERM)
a.wait_for(QUIT)
b.wait_for(QUIT)
PY
expect_exit 10
grep -Eq '^[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9:]{8} New player joined: Player 2 \(127\.0\.0\.1:[0-9]+\)$' stdout.log \
  || fail "no time-stamped join line"
grep -q 'Server stopped.' stdout.log || fail "no stop line"
echo "mp_headless: ok"
