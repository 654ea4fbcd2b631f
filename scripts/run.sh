#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor against the
# machine stand-in. The first run gives the stand-in a demo machine (twelve
# speed dials, two groups); later runs keep whatever the editor wrote to it.
# Arguments go to the editor (for example /USB or a PC fax file).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" release
bin="$root/build/release/bin"

machine_dir=${QVS_MACHINE_DIR:-${XDG_STATE_HOME:-$HOME/.local/state}/qvs-machine}
if [ ! -f "$machine_dir/machine.json" ]; then
  "$bin/qvs-machine" --dir "$machine_dir" demo
fi
export QVS_MACHINE_DIR=$machine_dir
export QVS_STILIB=$bin/libqvsSTILib.so
exec "$bin/linquara" "$@"
