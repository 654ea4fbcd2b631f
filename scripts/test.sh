#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in a plain
# debug build and once under AddressSanitizer + UndefinedBehaviorSanitizer,
# then each fuzz target briefly on its seeds (FUZZ_SECONDS, default 30).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Qt's own start-up allocations are not ours to fix.
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"

for config in debug sanitize; do
  echo "=== $config build ==="
  "$root/scripts/build.sh" "$config"
  ctest --test-dir "$root/build/$config" --output-on-failure -j "$(nproc)" --timeout 600
done

echo "=== fuzz smoke run ==="
"$root/scripts/fuzz.sh" "${FUZZ_SECONDS:-30}"
