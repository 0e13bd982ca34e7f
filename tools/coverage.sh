#!/bin/bash
# Line and branch coverage of src/ per folder, from the unit and display
# tests of a coverage build in build-coverage.
#   tools/coverage.sh            build, run the tests, print the table
#   tools/coverage.sh --report   only print the table of the last run
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
dir=$root/build-coverage

if [ "${1:-}" != "--report" ]; then
  cmake -S "$root" -B "$dir" -DKORVALT_COVERAGE=ON -DKORVALT_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache >/dev/null
  # The content tests read the assembled game folder.
  cmake --build "$dir" -j"$(nproc)" --target korvalt_tests korvalt_xtests game
  find "$dir" -name '*.gcda' -delete
  (cd "$dir/tests" && ./korvalt_tests --gtest_brief=1) || echo "coverage: some unit tests failed" >&2
  (cd "$dir/tests" && xvfb-run -a -s "-screen 0 1024x768x24" ./korvalt_xtests --gtest_brief=1) ||
    echo "coverage: some display tests failed" >&2
fi

# Branches the compiler adds for exceptions and unreachable code are left out:
# no test could take them. The library and the tests are read in two passes,
# each from the folder its objects were compiled in (ccache's base_dir makes
# their source paths relative to it).
counts() { # OUT OBJECT_DIR SEARCH_PATH
  gcovr -r "$root" --object-directory "$2" --filter "$root/src/" \
        --exclude-throw-branches --exclude-unreachable-branches --json "$1" "$3"
}
counts "$dir/library.json" "$dir" "$dir/CMakeFiles"
counts "$dir/tests.json" "$dir/tests" "$dir/tests"
gcovr -r "$root" -a "$dir/library.json" -a "$dir/tests.json" --json-summary "$dir/coverage.json"
python3 - "$dir/coverage.json" <<'PY'
import collections, json, sys
folders = collections.defaultdict(lambda: [0, 0, 0, 0])
for f in json.load(open(sys.argv[1]))["files"]:
    parts = f["filename"].split("/")
    folder = "/".join(parts[:2]) if len(parts) > 2 else parts[0]
    c = folders[folder]
    c[0] += f["line_covered"]; c[1] += f["line_total"]
    c[2] += f["branch_covered"]; c[3] += f["branch_total"]
def pct(a, b): return 100.0 * a / b if b else 100.0
print(f"{'folder':<16}{'lines':>16}{'line %':>9}{'branches':>16}{'branch %':>10}")
total = [0, 0, 0, 0]
for name in sorted(folders):
    c = folders[name]
    total = [t + x for t, x in zip(total, c)]
    print(f"{name:<16}{c[0]:>7} / {c[1]:<6}{pct(c[0], c[1]):>8.1f}{c[2]:>7} / {c[3]:<6}{pct(c[2], c[3]):>8.1f}")
print(f"{'total':<16}{total[0]:>7} / {total[1]:<6}{pct(total[0], total[1]):>8.1f}{total[2]:>7} / {total[3]:<6}{pct(total[2], total[3]):>8.1f}")
PY
