#!/usr/bin/env bash
# Runs every test: the host tests through ctest, then each shell test program
# under wine and Xvfb. Exits non-zero on any failure; the last line sums both.
set -u
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
build=${QUOREL_BUILD:-$top/build}
results=$build/test-results
rm -rf "$results"; mkdir -p "$results"

host_passed=0 host_failed=0
ctest --test-dir "$build/host" -j"$(nproc)" --output-on-failure --timeout 120 2>&1 | tee "$results/host.log"
summary=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$results/host.log" | tail -n 1)
if [ -n "$summary" ]; then
  host_failed=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$summary")
  total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$summary")
  host_passed=$((total - host_failed))
else
  host_failed=1  # ctest itself failed or found no tests
fi

# Each shell test program counts its tests from gtest's own report; a program that
# crashes, hangs or reports nothing counts as one failure more than it reported.
shell_passed=0 shell_failed=0
for exe in "$build"/win/bin/tests/*_win_tests.exe; do
  [ -e "$exe" ] || continue
  name=$(basename "$exe" .exe)
  echo "=== $name (wine)"
  # End-to-end programs start from the fixed moment of the build (faketime; the clock then runs on).
  fake=()
  moment="$(dirname "$exe")/$name-time.txt"  # a program's own moment, else the common one
  [ -f "$moment" ] || moment="$(dirname "$exe")/e2e-time.txt"
  case "$name" in *_e2e_win_tests) fake=(--faketime "$(cat "$moment")") ;; esac
  # The sound programs hear what they play through a recording ALSA device.
  case "$name" in sound_*|alarm_e2e_*|net_e2e_*|schedule_win_tests|schedule_e2e_*) fake+=(--record "$results/$name-sound") ;; esac
  # The network clients' tests talk to real servers on loopback, started around them.
  peers=()
  case "$name" in net_win_tests|net_e2e_win_tests|settings_ui_win_tests) peers=(scripts/net-test-peers.py) ;; esac
  # The installer's test builds the installer and runs in a wine prefix of its own.
  case "$name" in dist_win_tests) peers=(scripts/dist-test-env.py) ;; esac
  "${peers[@]}" scripts/wine-run.sh --timeout "${QUOREL_SHELL_TEST_TIMEOUT:-600}" "${fake[@]}" "$exe" --gtest_color=no \
      >"$results/$name.log" 2>&1
  rc=$?
  grep -E '^\[ +(RUN|OK|FAILED|PASSED) +\]|Failure|error:|Expected|Which is|Value of|Actual' "$results/$name.log" | grep -v '^\[ *RUN' || true
  passed=$(grep -E '^\[  PASSED  \] [0-9]+ tests?' "$results/$name.log" | sed -E 's/.*\] ([0-9]+) .*/\1/' | tail -n 1)
  failed=$(grep -E '^\[  FAILED  \] [0-9]+ tests?, listed below' "$results/$name.log" | sed -E 's/.*\] ([0-9]+) .*/\1/' | tail -n 1)
  passed=${passed:-0} failed=${failed:-0}
  # Under wine a crashed program does not always exit non-zero: gtest's closing
  # "[==========] N tests ... ran." line is the proof that the program ran to its end.
  grep -qE '^\[==========\] [0-9]+ tests? from .* ran\.' "$results/$name.log" || { [ $rc = 0 ] && rc=crash; }
  if [ "$rc" != 0 ] && [ "$failed" = 0 ]; then
    echo "$name: exit status $rc without a failure report (crash or time-out); last lines:"
    grep -E '^\[ RUN|Unhandled|exception|did not end' "$results/$name.log" | tail -n 4
    failed=$((failed + 1))
  fi
  shell_passed=$((shell_passed + passed)) shell_failed=$((shell_failed + failed))
done

echo "host: $host_passed passed, $host_failed failed"
echo "shell: $shell_passed passed, $shell_failed failed"
total_passed=$((host_passed + shell_passed)) total_failed=$((host_failed + shell_failed))
echo "tests: $total_passed passed, $total_failed failed"
[ "$total_failed" = 0 ]
