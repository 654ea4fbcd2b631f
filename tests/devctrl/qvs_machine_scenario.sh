#!/usr/bin/env bash
# A whole session at the machine's front panel, with qvs-machine alone.
#   qvs_machine_scenario.sh <path of qvs-machine>
set -euo pipefail
machine=$1
export QVS_MACHINE_DIR=$(mktemp -d)
trap 'rm -rf "$QVS_MACHINE_DIR"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
# expect_status <status> <command...>: the command ends with that exit status.
expect_status() {
    local want=$1; shift
    local got=0
    "$machine" "$@" >/dev/null 2>&1 || got=$?
    [ "$got" -eq "$want" ] || fail "qvs-machine $* exited $got, expected $want"
}
shows() { "$machine" show | grep -qxF -- "$1" || fail "show lacks: $1"; }

# Every command is documented.
help=$("$machine" --help)
for command in demo reset show password busy power capacity delayed status fault "fax set" "fax remove" \
               "group set" "group remove" hold; do
    grep -qF "  $command" <<<"$help" || fail "--help does not document $command"
done

# A new folder holds an empty machine with the default capacities.
shows "capacity: 99 speed dials, 6 groups"
shows "speed dials: 0"

"$machine" demo
shows "speed dials: 12"
shows "groups: 2"
shows "    2  Suppliers: 3 5 9 10"

# Passwords are 4 to 6 digits.
expect_status 2 password set 123
expect_status 2 password set 12345a
"$machine" password set 123456
shows "password: 123456"
"$machine" password clear
shows "password: none"

# Conditions of the machine.
"$machine" busy on
shows "busy: yes"
"$machine" busy off
"$machine" power off
shows "power: off"
"$machine" power on
"$machine" status 0x00ABCDEF
shows "status word: 0x00abcdef"
"$machine" fault status 0x84 1 2
shows "fault: status 0x84 detail 0x01 extra 0x02"
"$machine" fault bad-checksum
shows "fault: bad-checksum"
"$machine" fault none
expect_status 2 fault sometimes

# Entries changed at the machine.
"$machine" fax set 40 "Branch Office" "+1 555 0140"
shows "   40  Branch Office                     +1 555 0140"
"$machine" fax remove 12
expect_status 1 fax remove 12
expect_status 2 fax set 1 "A name far too long for the machine's field" "1"
"$machine" group set 3 "Night Shift" 40 7
shows "    3  Night Shift: 40 7"
expect_status 1 group set 4 "Twice" 7 7
"$machine" group remove 3
shows "groups: 2"

# Delayed-start slots and capacities.
"$machine" delayed 3 5
shows "delayed-start slots: 3 5"
"$machine" delayed
shows "delayed-start slots: none"
expect_status 1 capacity 20 6
"$machine" fax remove 40
"$machine" capacity 20 3
shows "capacity: 20 speed dials, 3 groups"

# Another program holding the machine is seen, and a second one cannot.
fifo="$QVS_MACHINE_DIR/holder-input"
mkfifo "$fifo"
"$machine" hold <"$fifo" >"$QVS_MACHINE_DIR/holder-output" &
holder=$!
exec 3>"$fifo"
for _ in $(seq 100); do grep -q held "$QVS_MACHINE_DIR/holder-output" && break; sleep 0.1; done
shows "lock: held by a program"
expect_status 1 hold </dev/null
exec 3>&-
wait "$holder"
shows "lock: free"

# The state file is the machine.
"$machine" show --json | grep -q '"faxCapacity": 20' || fail "show --json lacks the capacity"
echo '{ broken' >"$QVS_MACHINE_DIR/machine.json"
expect_status 1 show

"$machine" reset
shows "speed dials: 0"
echo "qvs-machine scenario passed"
