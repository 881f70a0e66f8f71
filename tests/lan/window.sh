#!/usr/bin/env bash
# The configurator's window end to end: tools/lan builds a LAN of network
# namespaces with the devices of small.json, quorconfig runs on the PC under
# Xvfb, finds the devices and loads the first controller; SIGTERM then closes
# the window. The first controller's log must show the search, the time
# announcement, the session, the table and the door blocks, and at the end the
# closing command of the session.
#   window.sh LAN QUORSIM QUORCONFIG SCENARIO    exit 77: skipped (not root, no ip netns, no Xvfb)
set -euo pipefail
lan=$1 quorconfig=$3 scenario=$4
export QUORSIM=$2
export QUOR_LAN_PREFIX="qlw$$"
export QUOR_LAN_DIR="${TMPDIR:-/tmp}/quorlan-$QUOR_LAN_PREFIX"

skip() {
    echo "SKIPPED: $*"
    exit 77
}
fail() {
    echo "FAILED: $* (logs in $QUOR_LAN_DIR)" >&2
    exit 1
}

[ "$(id -u)" -eq 0 ] || skip "needs root"
command -v ip >/dev/null || skip "no ip command"
command -v xvfb-run >/dev/null || skip "no xvfb-run"
ip netns add "$QUOR_LAN_PREFIX-chk" 2>/dev/null || skip "ip netns unavailable"
ip netns del "$QUOR_LAN_PREFIX-chk"

trap '"$lan" down' EXIT
"$lan" up "$scenario"
read -r name ip _ < <("$QUORSIM" "$scenario" --list)
log="$QUOR_LAN_DIR/$name.log"

"$lan" run -- xvfb-run -a "$quorconfig" >"$QUOR_LAN_DIR/quorconfig.out" 2>&1 &
runner=$!

# Wait until the controller has been loaded: the last door block read.
for _ in $(seq 100); do
    grep -q " out $ip > 10.45.0.1:45389 C\* $name signed" "$log" 2>/dev/null && break
    sleep 0.2
done
grep -q " out $ip > 10.45.0.1:45389 C\* $name signed" "$log" || fail "the controller was not loaded"
sleep 1  # the remaining blocks

pid=$(pgrep -n -x quorconfig) || fail "quorconfig is not running"
kill -TERM "$pid"
for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
! kill -0 "$pid" 2>/dev/null || fail "quorconfig did not end on SIGTERM"
wait "$runner" || true

# The frames the controller received, in order: search, time, poll, session,
# poll, table, blocks, ... and the closing command last.
received=$(awk '$2 == "in" {print $6}' "$log" | tr -d '\n')
echo "received: $received"
[[ "$received" =~ ^O+T ]] || fail "no search and time announcement first"
[[ "$received" =~ OKO?D ]] || fail "no session and table read"
[[ "$received" =~ DO?C+ ]] || fail "no block reads after the table"
[[ "$received" =~ Os$ ]] || fail "the session was not closed at the end"
[ "$(grep -c " in  .* s $name signed .*sig=ok" "$log")" -eq 1 ] || fail "the session was not closed exactly once"

"$lan" down
rm -rf "$QUOR_LAN_DIR"
echo "PASSED"
