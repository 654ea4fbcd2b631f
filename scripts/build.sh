#!/usr/bin/env bash
# Configures and builds one configuration into build/<config>.
#   scripts/build.sh [debug|release|sanitize|fuzz]   (default: debug)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
config=${1:-debug}
dir="$root/build/$config"

args=(-G Ninja -S "$root" -B "$dir")
case "$config" in
  debug)    args+=(-DCMAKE_BUILD_TYPE=Debug) ;;
  release)  args+=(-DCMAKE_BUILD_TYPE=Release) ;;
  sanitize) args+=(-DCMAKE_BUILD_TYPE=Debug -DABIF_SANITIZE=ON) ;;
  fuzz)     args+=(-DCMAKE_BUILD_TYPE=Debug -DABIF_FUZZ=ON
                   -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) ;;
  *) echo "unknown configuration: $config" >&2; exit 2 ;;
esac
command -v ccache >/dev/null && args+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

cmake "${args[@]}" >/dev/null
cmake --build "$dir" -j "$(nproc)"
