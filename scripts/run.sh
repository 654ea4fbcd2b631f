#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program. Until the editor
# window exists this shows the library's exports and runs a round trip of
# records through a container across the C interface.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" release
bin="$root/build/release/bin"

echo "Exports of libabiflink.so:"
nm -D --defined-only "$bin/libabiflink.so" | awk '{print "  " $3}'
echo
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$bin/abif_roundtrip_demo" "$scratch/demo.backup"
