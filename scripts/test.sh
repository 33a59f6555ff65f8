#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds every preset from scratch and runs every test: native (plain and
# ASan/UBSan), the Windows suites under Wine, the packages, the fuzz target for a bounded time
# (ZARVO_FUZZ_SECONDS, default 15; its corpus is also replayed by the tests), the end-to-end visits of
# the real program, the pictures of the Windows program under Wine against the native one's, and the
# README's first command (run.sh) as a newcomer gets it without a display. The Windows suites run on the
# 32-bit build where this machine runs 32-bit programs, else (or with ZARVO_WINE64=1) on the 64-bit
# build, the 32-bit one then checked unrun.
# Ends with a summary of every step.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
logs=$root/build/logs

summary=() failed=0
record() {  # STATUS WHAT SECONDS
  summary+=("$(printf '%-5s %s [%d s]' "$@")")
  [ "$1" = PASS ] || failed=$((failed + 1))
}
. scripts/logged-step.sh
# beside WHAT COMMAND...: starts a test step beside the others, its output kept in a log. settle waits
# for them all, shows each one's output and records its result. Steps started together share no
# display, Wine prefix or build folder they build in; they take turns on the cores instead of leaving one
# idle.
beside_whats=() beside_pids=()
timed() {  # LOG COMMAND...: runs COMMAND, its output in LOG and its seconds in LOG.seconds
  local since=$SECONDS status=0
  "${@:2}" >"$1" 2>&1 || status=$?
  echo $((SECONDS - since)) >"$1.seconds"
  return "$status"
}
beside() {
  timed "$logs/step-${#beside_pids[@]}.log" "${@:2}" &
  beside_whats+=("$1") beside_pids+=($!)
}
settle() {
  local i log status
  for i in "${!beside_pids[@]}"; do
    log=$logs/step-$i.log status=PASS
    wait "${beside_pids[$i]}" || status=FAIL
    echo "== ${beside_whats[$i]}" && cat "$log"
    [ "$status" = PASS ] || echo "FAILED: ${beside_whats[$i]}"
    record "$status" "${beside_whats[$i]}" "$(cat "$log.seconds")"
  done
  beside_whats=() beside_pids=()
}

setup="setting up the machine's packages"
logged_step "$setup" "$logs/setup.log" bash scripts/setup.sh && record PASS "$setup" "$SECONDS" || exit 1
. scripts/windows-build.sh
[ "$windows_build" = win32 ] && unrun=win64 || unrun=win32
echo "The Windows suites run on the $windows_build build: $windows_why."

build() { cmake --preset "$1" && cmake --build --preset "$1" -j"$(nproc)" ${2:+--target "$2"}; }
declare -A built
build_preset() {
  local since=$SECONDS
  if logged_step "building $1" "$logs/build-$1.log" build "$1"; then
    built[$1]=1 && record PASS "building $1" $((SECONDS - since))
  else
    record FAIL "building $1" $((SECONDS - since))
  fi
}
build_shipped() { rm -f "$logs/built-$1" && build "$1" all && touch "$logs/built-$1"; }
# tests PRESETS WHAT COMMAND...: a step beside the others that needs the builds of PRESETS (one, or several
# joined by commas), if they were built.
tests() {
  local preset
  for preset in ${1//,/ }; do
    [ -n "${built[$preset]:-}" ] || { record FAIL "$2: not run, a build it needs failed" 0; return; }
  done
  beside "${@:2}"
}
# The Windows suites, the longest, wait on Wine more than they use a core: they start as soon as their build is
# done, beside the other builds.
build_preset "$windows_build"
tests "$windows_build" "Windows suites on the $windows_build build, under Wine ($windows_why)" \
  scripts/with-display.sh --wine "$windows_build" ctest --preset "$windows_build"
for preset in linux linux-asan; do build_preset "$preset"; done

# The README's first command as a newcomer runs it, without a display. Its visit of the samples must pass and leave
# their folder as it found it, holding exactly the samples make-samples.sh writes.
samples_held() { (cd build/linux/samples && find smx smxU ! -type d -printf '%p %s %T@\n' | sort); }
first_command() {
  local before && before=$(samples_held)
  env -u DISPLAY bash scripts/run.sh || return
  [ "$(samples_held)" = "$before" ] &&
    [ "$(samples_held | cut -d' ' -f1)" = "$(awk '$1 == "sample" { print $4 }' scripts/make-samples.sh | sort)" ] &&
    return
  printf 'FAILED: the samples folder held\n%s\nand after the visit holds\n%s\n' "$before" "$(samples_held)"
  return 1
}

# Leaks are checked by the soak and cycle tests with their own figures; LeakSanitizer
# would also report the GL driver's own one-off allocations.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# The other suites beside them. The native visit runs once, as the first command's step: the same
# program and script, on the samples. The sanitized program's paths through the visit are covered by
# its other suites; the visit itself, a minute and a half there, is left out to keep CI within its time,
# as is the native replay of the soak's random run, which the sanitized program replays.
tests linux "native suites (linux)" scripts/with-display.sh ctest --preset linux -E '^(EndToEnd\.Visit|Soak\.RandomInputAndTracks)$'
tests linux "the first command (run.sh) without a display: its visit of the samples" first_command
# In a Wine prefix of its own: the Windows suites may still be running in theirs, and their end stops its server.
tests "linux,$windows_build" "the same pictures natively and under Wine ($windows_build)" \
  env WINEPREFIX="$root/build/wine-pictures-$windows_build" \
  scripts/with-display.sh --wine "$windows_build" bash tests/e2e/same-pictures.sh "$windows_build"
tests linux-asan "sanitizer suites (linux-asan)" scripts/with-display.sh ctest --preset linux-asan -E '^EndToEnd\.Visit$'
beside "fuzzing the reader for ${ZARVO_FUZZ_SECONDS:-15} s" scripts/fuzz.sh "${ZARVO_FUZZ_SECONDS:-15}"
# The build that only ships builds beside the suites, which leave cores idle while they wait on Wine and timers.
beside "building $unrun" build_shipped "$unrun"
settle
[ -e "$logs/built-$unrun" ] && built[$unrun]=1
# After the first command, whose build step works in build/linux too.
tests "$unrun" "the $unrun zarvo.exe, checked without running it" \
  bash tests/package/check-exe.sh "$unrun" "build/$unrun/platform/win32/zarvo.exe"
beside "packages (.deb, win32 and win64 zips)" bash tests/package/check-packages.sh
settle

echo "== Summary"
printf '%s\n' "${summary[@]}"
echo "$(( ${#summary[@]} - failed )) passed, $failed failed"
[ "$failed" -eq 0 ]
