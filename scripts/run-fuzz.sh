#!/usr/bin/env bash
# Runs the libFuzzer targets of the fuzz build, each for SECONDS (default 600), from
# its seed corpus <folder>/fuzz_corpus/<target>/ (read only: what the run finds goes
# to build/fuzz/corpus/<target>/), and prints a table: target, seconds, executions,
# result. A crash leaves its input in build/fuzz/artifacts/<target>/.
#   run-fuzz.sh [--seconds N] [--jobs N] [TARGET...]
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
fuzz="${QUOREL_BUILD:-$top/build}/fuzz"
seconds=600 jobs=2
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) seconds=$2; shift 2 ;;
    --jobs) jobs=$2; shift 2 ;;
    *) break ;;
  esac
done
[ -f "$fuzz/fuzz-targets.txt" ] || { echo "run-fuzz: no fuzz build in $fuzz (make fuzz)"; exit 2; }
wanted=("$@")

run_one() {  # target folder
  local target=$1 dir=$2
  local seeds="$top/$dir/fuzz_corpus/$target" work="$fuzz/corpus/$target" art="$fuzz/artifacts/$target"
  mkdir -p "$work" "$art" "$fuzz/logs"
  [ -d "$seeds" ] || seeds=
  local start=$SECONDS
  "$fuzz/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$art/" "$work" ${seeds:+"$seeds"} >"$fuzz/logs/$target.log" 2>&1
  local rc=$? took=$((SECONDS - start))
  local execs
  execs=$(grep -E '^stat::number_of_executed_units:' "$fuzz/logs/$target.log" | awk '{print $2}' | tail -n 1)
  local result=clean
  [ $rc = 0 ] || result="FOUND ($(ls "$art" | head -n 1); log build/fuzz/logs/$target.log)"
  printf '%s %s %s %s\n' "$target" "$took" "${execs:-?}" "$result" >"$fuzz/logs/$target.result"
}
export -f run_one
export top fuzz seconds

targets=()
while read -r target dir; do
  [ -n "$target" ] || continue
  if [ ${#wanted[@]} -gt 0 ] && [[ ! " ${wanted[*]} " == *" $target "* ]]; then continue; fi
  targets+=("$target $dir")
done <"$fuzz/fuzz-targets.txt"

rm -f "$fuzz"/logs/*.result
printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -L 1 bash -c 'run_one "$0" "$1"'

failed=0
printf '%-28s %8s %14s  %s\n' target seconds executions result
for t in "${targets[@]}"; do
  set -- $t
  read -r name took execs result <"$fuzz/logs/$1.result"
  printf '%-28s %8s %14s  %s\n' "$name" "$took" "$execs" "$result"
  [ "$result" = clean ] || failed=1
done
exit $failed
