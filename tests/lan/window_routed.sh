#!/usr/bin/env bash
# The window with controllers behind a router (tools/lan route): quorconfig
# started with --target lists the devices of both subnets and loads a
# controller behind the router; without --target it lists only the PC's.
#   window_routed.sh LAN QUORSIM QUORCONFIG SCENARIO ROUTED DRIVER     exit 77: skipped
set -euo pipefail
LAN=$1 quorconfig=$3 scenario=$4 routed=$5 driver=$6
export QUORSIM=$2
source "$(dirname "$0")/lanlib.sh"
command -v xvfb-run >/dev/null || skip "no xvfb-run"
lan_begin o

"$LAN" up "$scenario" >/dev/null
"$LAN" route "$routed" >/dev/null
"$LAN" blackhole 10.46.1.0/24

# A target refused before the window opens.
status=0
err=$(QT_QPA_PLATFORM=offscreen "$LAN" run -- "$quorconfig" --target 10.46.0.0/20 2>&1 >/dev/null) || status=$?
[ "$status" -eq 2 ] || fail "quorconfig --target 10.46.0.0/20: exit $status, expected 2"
grep -qx "quorconfig: --target 10.46.0.0/20: a range may be at most /22 (1,024 addresses)" <<<"$err" ||
    fail "quorconfig --target 10.46.0.0/20 said: $err"

# The program itself: the only device it asks is behind the router, so it is
# the first row and loaded (the blocks after the table, then the timer's poll).
"$LAN" run -- xvfb-run -a "$quorconfig" --no-broadcast --target 10.46.1.11 >"$QUOR_LAN_DIR/quorconfig.out" 2>&1 &
runner=$!
wait_until 30 "the controller behind the router was not loaded" received_match K01_00401 "DO?C+O"
close_window "$runner"

# The window's list with and without the target, and a controller behind the router selected and loaded.
listed() { QT_QPA_PLATFORM=offscreen "$LAN" run -- "$driver" "$@" 2>"$QUOR_LAN_DIR/driver.err" | grep -E '^(listed|selected)'; }
got=$(listed list 2) || fail "window_driver: $(cat "$QUOR_LAN_DIR/driver.err")"
[ "$got" = "listed: K01_00001,  10.45.1.10,  Serwis
listed: K01_00002,  10.45.1.20,  Konfiguracja" ] || fail "without --target the window listed
$got"
got=$(listed target 10.46.1.0/24 list 4 select K01_00401) || fail "window_driver: $(cat "$QUOR_LAN_DIR/driver.err")"
[ "$got" = "listed: K01_00001,  10.45.1.10,  Serwis
listed: K01_00002,  10.45.1.20,  Konfiguracja
listed: K01_00003,  10.46.1.21,  Konfiguracja
listed: K01_00401,  10.46.1.11,  Serwis
selected: K01_00401,  10.46.1.11,  Serwis; sheet Przejścia, 1 door tabs" ] || fail "with --target the window showed
$got"
echo "PASSED"
