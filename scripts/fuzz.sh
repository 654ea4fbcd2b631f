#!/usr/bin/env bash
# Builds the fuzz targets and runs each for a while, keeping what it finds.
#   scripts/fuzz.sh [seconds per target, default 60] [target ...]
# Corpora grow in build/fuzz/corpus/<target>, seeded by write_seeds from the
# tests' own fixtures;
# crashing inputs land in build/fuzz/findings/<target>/. Exits non-zero when
# any target found something.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true

"$root/scripts/build.sh" fuzz
bin="$root/build/fuzz/bin"
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for t in "$bin"/fuzz_*; do [ -x "$t" ] && targets+=("$(basename "$t")"); done
fi

seeds_root="$root/build/fuzz/seeds"
"$bin/write_seeds" "$seeds_root"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
failed=0
for t in "${targets[@]}"; do
  corpus="$root/build/fuzz/corpus/$t"
  findings="$root/build/fuzz/findings/$t"
  mkdir -p "$corpus" "$findings"
  args=(-max_total_time="$seconds" -artifact_prefix="$findings/" -print_final_stats=1)
  [ -f "$root/fuzz/dict/$t.dict" ] && args+=(-dict="$root/fuzz/dict/$t.dict")
  seeds=()
  [ -d "$seeds_root/$t" ] && seeds+=("$seeds_root/$t")
  log="$root/build/fuzz/$t.log"
  if "$bin/$t" "${args[@]}" "$corpus" "${seeds[@]}" >"$log" 2>&1; then
    stats=$(grep -E '^stat::(number_of_executed_units|average_exec_per_sec|new_units_added)|cov:' "$log" | tail -4 | tr '\n' ' ')
    echo "$t: ok  $stats"
  else
    echo "$t: FINDING (see $log and $findings)"
    tail -40 "$log"
    failed=1
  fi
done
exit $failed
