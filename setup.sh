#!/bin/bash
# Sets up a Debian 12 machine for Korvalt, builds it and then either starts
# the game or runs every test.
#   ./setup.sh play   install what is missing, build, assemble build/game, start the game there
#   ./setup.sh test   install what is missing, build, run every test
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
jobs=$(nproc)

packages=(
  cmake g++ make pkg-config
  liballegro4-dev libmpg123-dev libfreetype-dev zlib1g-dev fonts-dejavu-core lame
  libgtest-dev libgmock-dev libbenchmark-dev libenet-dev
  xvfb xauth xdotool x11-utils python3
  clang libclang-rt-14-dev gcovr
)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
  fi
}

build() { # build DIR [cmake options...]
  local dir=$1; shift
  cmake -S "$root" -B "$dir" "$@"
  cmake --build "$dir" -j"$jobs"
}

play() {
  build build
  cd build/game
  exec ./korvalt
}

run_tests() {
  build build
  ctest --test-dir build --output-on-failure -j"$jobs"

  build build-sanitize -DKORVALT_SANITIZE=ON -DKORVALT_BENCH=OFF -DKORVALT_GAME=OFF
  ctest --test-dir build-sanitize --output-on-failure -j"$jobs"

  CC=clang CXX=clang++ build build-fuzz -DKORVALT_FUZZ=ON
  ctest --test-dir build-fuzz --output-on-failure -j"$jobs"
}

case "${1:-}" in
  play) install_missing; play ;;
  test) install_missing; run_tests ;;
  *) echo "usage: $0 play|test" >&2; exit 2 ;;
esac
