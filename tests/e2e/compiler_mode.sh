#!/bin/bash
# The compiler mode works from the game folder without any display: a
# source compiles to the default or the named target, with its log.
set -euo pipefail
source "$(dirname "$0")/lib/session.bash"

copy_game
unset DISPLAY
printf 'event onUse\nequal LIFE 100\nif ZFLAG\nmsg Full health\nendl\nendif\nend\n' > scripts/health.ukv

./korvalt compiler scripts/health.ukv || fail "status $? for the default target"
[ "$(od -An -tx1 scripts/health.kvs | tr -d ' \n')" = "0107190f1c1064000000080f0c0a46756c6c206865616c7468000bfdfeff" ] \
  || fail "scripts/health.kvs does not hold the compiled event"
grep -qx "Finished." compiler.log || fail "compiler.log does not end the compilation"

./korvalt compiler scripts/health.ukv scripts/other.out || fail "status $? for a named target"
cmp -s scripts/health.kvs scripts/other.out || fail "the named target differs"

printf 'set X 5\n' > scripts/broken.ukv
./korvalt compiler scripts/broken.ukv || fail "a failed compilation ended with status $?"
[ "$(od -An -tx1 scripts/broken.kvs | tr -d ' \n')" = "00" ] || fail "a failed target is not the single 0x00 byte"
grep -q "FATAL ERROR" compiler.log || fail "compiler.log does not name the fatal error"
echo "compiler_mode: ok"
