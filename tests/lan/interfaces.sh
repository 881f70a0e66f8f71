#!/usr/bin/env bash
# Choosing the network interface, over real sockets. The PC of the LAN gets a
# second interface, eth1 (10.45.0.2), on a bridge of its own with other
# devices, as a laptop has Wi-Fi and a wired port. quorctl --interface must
# search and talk through the named interface only; without it the broadcast
# leaves by the route, eth0, as before. No device may see a datagram meant for
# the other network, and an interface that is no candidate is refused before
# anything is sent.
#   interfaces.sh LAN QUORSIM QUORCTL FIRST-SCENARIO SECOND-SCENARIO    exit 77: skipped
set -euo pipefail
LAN=$1 quorctl=$3 first=$4 second=$5
export QUORSIM=$2
source "$(dirname "$0")/lanlib.sh"
lan_begin i

"$LAN" up "$first" >/dev/null
"$LAN" add "$second" >/dev/null

ctl() { "$LAN" run -- "$quorctl" "$@"; }

same() {
    [ "$2" = "$3" ] || fail "$1: got
$2
--- expected
$3"
}

same "interfaces" "$(ctl interfaces)" "eth0  10.45.0.1/16
eth1  10.45.0.2/16"

first_rows=" K01_00001,  10.45.1.10,  Serwis
 K01_00002,  10.45.1.20,  Konfiguracja"
second_rows=" K01_00301,  10.45.2.11,  Serwis
 K01_00303,  10.45.2.21,  Konfiguracja"
same "search out of eth0" "$(ctl --interface eth0 search)" "$first_rows"
same "search out of eth1" "$(ctl --interface eth1 search)" "$second_rows"
same "search by the route" "$(ctl search)" "$first_rows"

# A session and signed reads through eth1; out of eth0 the controller is not there.
same "table through eth1" "$(ctl --interface eth1 table K01_00301)" "0. Kontroler: K01_00301/A0
1.    Czytnik: R05_00302/A1"
status=0
ctl --interface eth0 table K01_00301 >/dev/null 2>&1 || status=$?
[ "$status" -eq 1 ] || fail "K01_00301 out of eth0: exit $status, expected 1 (not found)"

# Refused before a socket is opened: exit 2, the candidates listed.
for wrong in lo eth7; do
    status=0
    err=$(ctl --interface "$wrong" search 2>&1 >/dev/null) || status=$?
    [ "$status" -eq 2 ] || fail "--interface $wrong: exit $status, expected 2"
    same "--interface $wrong" "$err" "quorctl: $wrong is not an interface a search can use (up, with an IPv4 address, not loopback); these are:
  eth0  10.45.0.1/16
  eth1  10.45.0.2/16"
done

# Each network saw the PC only by its own interface's address.
while read -r name ip _ ; do
    log=$(device_log "$name")
    case "$ip" in
    10.45.1.*) own=10.45.0.1 other=10.45.0.2 ;;
    *) own=10.45.0.2 other=10.45.0.1 ;;
    esac
    grep -q "< $own:45389 O all" "$log" || fail "$name: no search from $own"
    ! grep -q "$other:45389" "$log" || fail "$name: a datagram of $other reached it"
done <"$QUOR_LAN_DIR/devices.txt"
echo "PASSED"
