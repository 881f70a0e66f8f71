#!/usr/bin/env bash
# The configurator's window end to end: quorconfig runs on the PC of a LAN of
# network namespaces under Xvfb, finds the devices of the scenario and loads
# the first controller; SIGTERM then closes the window. The controller's log
# must show the search, the time announcement, the session, the table and the
# door blocks, and at the end the closing command of the session, once.
#   window.sh LAN QUORSIM QUORCONFIG SCENARIO    exit 77: skipped (not root, no ip netns, no Xvfb)
set -euo pipefail
LAN=$1 quorconfig=$3 scenario=$4
export QUORSIM=$2
source "$(dirname "$0")/lanlib.sh"
command -v xvfb-run >/dev/null || skip "no xvfb-run"
lan_begin w

"$LAN" up "$scenario" >/dev/null
read -r name ip _ < <("$QUORSIM" "$scenario" --list)
log=$(device_log "$name")
loaded=" out $ip > 10.45.0.1:45389 C\\* $name signed"

"$LAN" run -- xvfb-run -a "$quorconfig" >"$QUOR_LAN_DIR/quorconfig.out" 2>&1 &
runner=$!
for _ in $(seq 100); do
    grep -q "$loaded" "$log" 2>/dev/null && break
    sleep 0.2
done
grep -q "$loaded" "$log" || fail "the controller was not loaded"
sleep 1  # the remaining blocks

# The window of this run: the quorconfig inside this LAN's PC namespace, not
# one of another run that happens to be newer.
pid=
for p in $(ip netns pids "$QUOR_LAN_PREFIX-pc"); do
    if [ "$(cat "/proc/$p/comm" 2>/dev/null)" = quorconfig ]; then pid=$p; fi
done
[ -n "$pid" ] || fail "quorconfig is not running"
kill -TERM "$pid"
for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
! kill -0 "$pid" 2>/dev/null || fail "quorconfig did not end on SIGTERM"
wait "$runner" || true

# The command letters the controller received, in order.
received=$(awk '$2 == "in" {print $6}' "$log" | tr -d '\n')
echo "received: $received"
[[ "$received" =~ ^O+T ]] || fail "no search and time announcement first"
[[ "$received" =~ OKO?D ]] || fail "no session and table read"
[[ "$received" =~ DO?C+ ]] || fail "no block reads after the table"
[[ "$received" =~ Os$ ]] || fail "the session was not closed at the end"
[ "$(grep -c " in  .* s $name signed .*sig=ok" "$log")" -eq 1 ] || fail "the session was not closed exactly once"
echo "PASSED"
