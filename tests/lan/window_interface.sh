#!/usr/bin/env bash
# The window with a chosen interface: the PC of the LAN has eth0 and eth1 on
# two bridges with different devices (as interfaces.sh builds it), and
# quorconfig --interface eth1 runs under Xvfb. It must find and load the
# controller behind eth1, while the devices behind eth0 never get a datagram,
# not even the search or the timer's polls. quorconfig refuses an interface
# that is no candidate with exit 2 and the list of candidates.
#   window_interface.sh LAN QUORSIM QUORCONFIG FIRST-SCENARIO SECOND-SCENARIO    exit 77: skipped
set -euo pipefail
LAN=$1 quorconfig=$3 first=$4 second=$5
export QUORSIM=$2
source "$(dirname "$0")/lanlib.sh"
command -v xvfb-run >/dev/null || skip "no xvfb-run"
lan_begin v

"$LAN" up "$first" >/dev/null
"$LAN" add "$second" >/dev/null

# Refused lines end before the window, and its search, could start. The lines
# of Qt's own (QStandardPaths) are not quorconfig's.
refused() {
    local expected=$1 status=0 err
    shift
    QT_QPA_PLATFORM=offscreen "$LAN" run -- "$quorconfig" "$@" >/dev/null 2>"$QUOR_LAN_DIR/refused.err" ||
        status=$?
    [ "$status" -eq 2 ] || fail "quorconfig $*: exit $status, expected 2"
    err=$(grep -v '^QStandardPaths' "$QUOR_LAN_DIR/refused.err" || true)
    [ "$err" = "$expected" ] || fail "quorconfig $*: said
$err"
}
refused "quorconfig: lo is not an interface a search can use (up, with an IPv4 address, not loopback); these are:
  eth0  10.45.0.1/16
  eth1  10.45.0.2/16" --interface lo
refused "quorconfig: unexpected argument: eth1" eth1

log=$(device_log K01_00301)
"$LAN" run -- xvfb-run -a "$quorconfig" --interface eth1 >"$QUOR_LAN_DIR/quorconfig.out" 2>&1 &
runner=$!
# Loaded (the blocks after the table), then two ticks of the timer polling it.
wait_until 30 "the controller behind eth1 was not loaded" received_match K01_00301 "DO?C+O"
wait_until 10 "no two ticks of the timer after the load" received_match K01_00301 "C+([^C]*O){2}"

close_window "$runner"

grep -q " in  .* s K01_00301 signed .*sig=ok" "$log" || fail "the session was not closed"
while read -r name ip _; do
    case "$ip" in
    10.45.1.*) [ ! -s "$(device_log "$name")" ] || fail "$name behind eth0 got datagrams" ;;
    esac
done <"$QUOR_LAN_DIR/devices.txt"
echo "PASSED"
