#!/usr/bin/env bash
# A second quorconfig on the PC, while the first one holds UDP port 45389: it
# says once that quorConfig is already running, opens no window (so it sends
# nothing: the controller's log shows no second search and no second
# session), and exits with status 1 once its message box is closed (here by
# SIGTERM, as a logout would). The first window goes on as before. quorctl,
# started meanwhile, says the same in its own words and exits with 1.
#   window_second.sh LAN QUORSIM QUORCONFIG SCENARIO QUORCTL    exit 77: skipped
set -euo pipefail
LAN=$1 quorconfig=$3 scenario=$4 quorctl=$5
export QUORSIM=$2
source "$(dirname "$0")/lanlib.sh"
command -v xvfb-run >/dev/null || skip "no xvfb-run"
lan_begin 2

"$LAN" up "$scenario" >/dev/null
read -r name _ < <("$QUORSIM" "$scenario" --list)

"$LAN" run -- xvfb-run -a "$quorconfig" >"$QUOR_LAN_DIR/first.out" 2>&1 &
first=$!
wait_until 30 "the first window did not load the controller" received_match "$name" "DO?C+O"
first_pid=$(pc_processes quorconfig)
[ "$(wc -w <<<"$first_pid")" -eq 1 ] || fail "not one quorconfig: $first_pid"
sessions=$(grep -o "OK" <<<"$(received_letters "$name")" | wc -l)

QT_QPA_PLATFORM=offscreen "$LAN" run -- "$quorconfig" >/dev/null 2>"$QUOR_LAN_DIR/second.err" &
second=$!
said() { grep -q "quorconfig: quorConfig jest już uruchomiony" "$QUOR_LAN_DIR/second.err"; }
wait_until 30 "the second quorconfig said nothing" said
second_pid=$(pc_processes quorconfig | grep -vx "$first_pid")
[ -n "$second_pid" ] || fail "the second quorconfig is gone before its box was closed"
kill -TERM "$second_pid"
status=0
wait "$second" || status=$?
[ "$status" -eq 1 ] || fail "the second quorconfig exited with $status, expected 1"
# Lines of Qt's own (QStandardPaths, the offscreen plugin) are not quorconfig's.
err=$(grep '^quorconfig' "$QUOR_LAN_DIR/second.err" || true)
[ "$err" = "quorconfig: quorConfig jest już uruchomiony na tym komputerze: port UDP 45389 jest zajęty (przez inny quorConfig albo quorctl)." ] ||
    fail "the second quorconfig said
$err"

status=0
"$LAN" run -- "$quorctl" search >/dev/null 2>"$QUOR_LAN_DIR/quorctl.err" || status=$?
[ "$status" -eq 1 ] || fail "quorctl exited with $status, expected 1"
[ "$(cat "$QUOR_LAN_DIR/quorctl.err")" = "quorctl: UDP port 45389 is in use: another quorctl or quorConfig on this PC holds it" ] ||
    fail "quorctl said
$(cat "$QUOR_LAN_DIR/quorctl.err")"

kill -0 "$first_pid" 2>/dev/null || fail "the first window ended"
[ "$(grep -o "OK" <<<"$(received_letters "$name")" | wc -l)" -eq "$sessions" ] ||
    fail "a second session was opened"
close_window "$first"
echo "PASSED"
