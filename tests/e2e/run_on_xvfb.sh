#!/usr/bin/env bash
# Runs one program on an X server of its own (Xvfb, on the first free display)
# with a fresh home, as a person starting the editor for the first time would
# have, and takes the server down afterwards whatever happened.
#   run_on_xvfb.sh PROGRAM [ARGUMENT...]
set -euo pipefail

scratch=$(mktemp -d "${TMPDIR:-/tmp}/linquara-e2e.XXXXXX")
xvfb_pid=
cleanup() {
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Xvfb writes the display number it took once it accepts clients.
exec {display_fd}>"$scratch/display"
Xvfb -displayfd "$display_fd" -screen 0 1280x800x24 -nolisten tcp -noreset >"$scratch/xvfb.log" 2>&1 &
xvfb_pid=$!
exec {display_fd}>&-
for _ in $(seq 100); do
  [ -s "$scratch/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || { cat "$scratch/xvfb.log" >&2; exit 1; }
  sleep 0.1
done
[ -s "$scratch/display" ] || { echo "Xvfb did not start" >&2; cat "$scratch/xvfb.log" >&2; exit 1; }

export DISPLAY=":$(head -n1 "$scratch/display")"
export QT_QPA_PLATFORM=xcb
export HOME="$scratch/home"
export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share" XDG_STATE_HOME="$HOME/.local/state"
export XDG_CACHE_HOME="$HOME/.cache" XDG_RUNTIME_DIR="$scratch/runtime"
export QVS_MACHINE_DIR="$XDG_STATE_HOME/qvs-machine"
unset SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

status=0
"$@" || status=$?
exit "$status"
