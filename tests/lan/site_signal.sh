#!/usr/bin/env bash
# SIGTERM during a site apply over real sockets, on sim/scenarios/site.json:
# the lift is written, then the door controller's first block goes
# unanswered (its replies are dropped) while the apply gets SIGTERM. The
# apply ends with 143, prints what it wrote and where it stopped, and its
# journal records the same with the signal; a second apply converges.
#   site_signal.sh LAN QUORSIM QUORCTL SCENARIO      exit 77: skipped
set -euo pipefail
LAN=$1 quorctl=$3 scenario=$4
export QUORSIM=$2
source "$(dirname "$0")/lanlib.sh"
lan_begin g

"$LAN" up "$scenario" --fault "drop:c:3@K01_01101" >/dev/null
work="$QUOR_LAN_DIR/signal"
mkdir -p "$work"
site="$work/site.yaml"
cat >"$site" <<'YAML'
quorctl-site: 1
controllers:
  K03_01301:
    Winda:
      Czas odblokowania przycisków: 2,5 s
  K01_01101:
    Przejścia:
      Nr pociągu: 13
    Przejście 3:
      Typ przejścia: Normalne
  K04_01401:
    Szafki:
      Test od szafki nr: 2
YAML

"$LAN" run -- "$quorctl" site apply "$site" --journal "$work/journal" >"$work/out" 2>"$work/err" &
job=$!
wait_until 20 "the apply never wrote to K01_01101" bash -c "[ \"\$(grep -cE ' in  +[0-9.]+ < [0-9.:]+ c K01_01101 signed' '$(device_log K01_01101)')\" -ge 1 ]"
pid=$(pc_processes quorctl)
[ -n "$pid" ] || fail "quorctl is not running"
kill -TERM "$pid"
status=0
wait "$job" || status=$?
[ "$status" -eq 143 ] || fail "apply ended with $status, expected 143: $(cat "$work/err")"

head -1 "$work/out" | grep -qx "journal: $work/journal" || fail "the journal is not the first line: $(cat "$work/out")"
grep -qx "K03_01301: written and read back" "$work/out" || fail "the lift's write is not told: $(cat "$work/out")"
grep -q "^K01_01101: written none; not written 16/0, 1/2$" "$work/err" || fail "the blocks are not named: $(cat "$work/err")"
grep -q "^quorctl: apply stopped by SIGTERM at K01_01101; written: K03_01301; failed: K01_01101; not reached: K04_01401;" \
    "$work/err" || fail "the outcome is not told: $(cat "$work/err")"
tail -1 "$work/journal/journal.jsonl" | grep -q '"signal":"SIGTERM"' || fail "the journal lacks the outcome"
[ -f "$work/journal/K01_01101.json" ] || fail "the journal lacks K01_01101's backup"

# The controller took the unanswered block: door 3 and the lockers are left.
"$LAN" run -- "$quorctl" site apply "$site" --journal "$work/journal2" >"$work/out2" 2>"$work/err2" ||
    fail "the second apply failed: $(cat "$work/err2")"
grep -qx "2 controllers to change, 2 fields; 1 unchanged" "$work/out2" || fail "second apply: $(cat "$work/out2")"
"$LAN" run -- "$quorctl" site plan "$site" >"$work/plan" 2>"$work/err3" || fail "the site does not converge: $(cat "$work/plan")"
echo "PASSED"
