#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds every preset from scratch and runs every test:
# native (plain and ASan/UBSan), Windows under Wine, the packages, the fuzz target for a
# bounded time (ZARVO_FUZZ_SECONDS, default 30; its corpus is also replayed by the tests),
# and the end-to-end visits of the real program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh

for preset in linux linux-asan win32; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$(nproc)"
done

# Leaks are checked by the soak and cycle tests with their own figures; LeakSanitizer
# would also report the GL driver's own one-off allocations.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

failed=0
run() {
  echo "== $*"
  "$@" || failed=1
}
run scripts/with-display.sh ctest --preset linux
run scripts/with-display.sh ctest --preset linux-asan
run scripts/with-display.sh ctest --preset win32
run scripts/with-display.sh bash tests/package/check-packages.sh
if [ -x scripts/fuzz.sh ]; then run scripts/fuzz.sh "${ZARVO_FUZZ_SECONDS:-30}"; fi
exit "$failed"
