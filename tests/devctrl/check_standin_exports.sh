#!/usr/bin/env bash
# Nothing but the two entry points leaves the stand-in.
#   check_standin_exports.sh <path of libqvsSTILib.so>
set -euo pipefail
exported=$(nm -D --defined-only "$1" | awk '{print $3}' | sort | tr '\n' ' ')
[ "$exported" = "StiCommand StiGetStatus " ] || { echo "exported: $exported" >&2; exit 1; }
