#!/usr/bin/env bash
# A site as code over real sockets, on sim/scenarios/site.json: export the
# site file, plan it (no change), edit one field of the door controller, the
# lift and the lockers with sed, plan exactly those edits, apply them (only
# the blocks that change), and plan again: no change. The 8-door controller,
# which the edits leave alone, and a second apply send no block write.
#   site.sh LAN QUORSIM QUORCTL SCENARIO      exit 77: skipped
set -euo pipefail
LAN=$1 quorctl=$3 scenario=$4
export QUORSIM=$2
source "$(dirname "$0")/lanlib.sh"
lan_begin s

"$LAN" up "$scenario" >/dev/null
work="$QUOR_LAN_DIR/site"
mkdir -p "$work"
site="$work/site.yaml"
ctl() { "$LAN" run -- "$quorctl" "$@"; }

# The block writes of the four controllers.
all_writes() {
    echo "$(block_writes K01_01101) $(block_writes K02_01201) $(block_writes K03_01301) $(block_writes K04_01401)"
}

# run EXPECTED-STATUS OUT-FILE quorctl-arguments...
run() {
    local expected=$1 out=$2 status=0
    shift 2
    ctl "$@" >"$out" 2>"$work/err" || status=$?
    [ "$status" -eq "$expected" ] || fail "quorctl $*: exit $status, expected $expected: $(cat "$work/err")"
}

run 0 "$work/out" site export "$site"
grep -q '^  K04_01401:$' "$site" || fail "the export lacks the lockers controller"
run 0 "$work/plan" site plan "$site"
echo "0 controllers to change, 0 fields; 4 unchanged" | diff -u - "$work/plan" || fail "a fresh export plans changes"

# Door 1's bolt (the first one), the lift's release time, the lockers' room name.
sed -i -e '0,/Rygiel: K01_01101:Out1/s//Rygiel: K01_01101:Out2/' \
    -e 's/Czas odblokowania przycisków: 5 s/Czas odblokowania przycisków: 2,5 s/' \
    -e 's/Nazwa pomieszczenia: Szatnia męska/Nazwa pomieszczenia: Szatnia damska/' "$site"
run 1 "$work/plan" site plan "$site"
diff -u - "$work/plan" <<'EOF' || fail "the plan is not the edits"
K01_01101: Przejście 1 / Wyjścia / Rygiel: K01_01101:Out1 -> K01_01101:Out2
K03_01301: Winda / Czas odblokowania przycisków: 5 s -> 2,5 s
K04_01401: Szafki / Nazwa pomieszczenia: Szatnia męska -> Szatnia damska
K01_01101: writes 1/0
K03_01301: writes 2/0
K04_01401: writes 3/0
3 controllers to change, 3 fields; 1 unchanged
EOF
[ "$(all_writes)" = "0 0 0 0" ] || fail "plan wrote: $(all_writes)"

run 0 "$work/apply" site apply "$site" --journal "$work/journal"
grep -q '^K04_01401: written and read back$' "$work/apply" || fail "apply: $(cat "$work/apply")"
# Door 1's block of the door controller; one block each for the lift and the lockers.
[ "$(all_writes)" = "1 0 1 1" ] || fail "apply wrote $(all_writes) blocks, expected 1 0 1 1"

run 0 "$work/plan" site plan "$site"
echo "0 controllers to change, 0 fields; 4 unchanged" | diff -u - "$work/plan" || fail "the apply did not take"
run 0 "$work/apply" site apply "$site" --journal "$work/journal2"
[ "$(all_writes)" = "1 0 1 1" ] || fail "a second apply wrote: $(all_writes)"
ctl config K04_01401 | grep "Nazwa pomieszczenia: Szatnia damska" >/dev/null || fail "K04_01401 lacks its new room name"
echo "PASSED"
