#!/usr/bin/env bash
# Backup and restore over real sockets, on tests/lan/scenarios/restore.json:
# for each kind, the backup of a configured controller goes onto its fresh
# replacement, whose table lists the same devices in another order. A dry run
# sends no write; the restore sends one acknowledged write per block; then
# the replacement's backup shows no difference to the source's, and `config`
# shows the same sheet on both, but for the controller's own name. A backup
# that names a reader the controller lacks is refused without a write.
#   restore.sh LAN QUORSIM QUORCTL SCENARIO      exit 77: skipped
set -euo pipefail
LAN=$1 quorctl=$3 scenario=$4
export QUORSIM=$2
source "$(dirname "$0")/lanlib.sh"
lan_begin r

"$LAN" up "$scenario" >/dev/null
work="$QUOR_LAN_DIR/restore"
mkdir -p "$work"
ctl() { "$LAN" run -- "$quorctl" "$@"; }

# The sheet as `config` prints it, without the Ethernet row and the controller's own name.
sheet() {
    ctl config "$1" | tail -n +2 | sed "s/$1/SELF/g"
}

for pair in K01_00411:K01_00412:3 K03_00421:K03_00422:1 K04_00431:K04_00432:1; do
    IFS=: read -r source target blocks <<<"$pair"
    ctl backup "$source" "$work/$source.json" || fail "backup $source failed"
    ctl restore "$target" "$work/$source.json" --dry-run >"$work/dry" || fail "dry run onto $target failed"
    [ "$(block_writes "$target")" -eq 0 ] || fail "$target: the dry run wrote"
    ctl restore "$target" "$work/$source.json" >"$work/out" || fail "restore onto $target failed"
    [ "$(block_writes "$target")" -eq "$blocks" ] || fail "$target: $(block_writes "$target") writes, expected $blocks"
    [ "$(grep -c '^written: ' "$work/out")" -eq "$blocks" ] || fail "$target: not every block reported written"
    ctl backup "$target" "$work/$target.json" || fail "backup $target failed"
    ctl diff "$work/$target.json" "$work/$source.json" >"$work/diff" ||
        fail "$target differs from the backup of $source: $(cat "$work/diff")"
    # One quorctl at a time: each takes the configurator's port.
    sheet "$source" >"$work/source.sheet"
    sheet "$target" >"$work/target.sheet"
    diff -u "$work/source.sheet" "$work/target.sheet" || fail "$target shows another sheet than $source"
done

status=0
ctl restore K01_00414 "$work/K01_00411.json" >/dev/null 2>"$work/err" || status=$?
[ "$status" -eq 1 ] || fail "restore onto K01_00414: exit $status, expected 1"
grep -q "K01_00414 holds nothing on A2" "$work/err" || fail "restore onto K01_00414: $(cat "$work/err")"
[ "$(block_writes K01_00414)" -eq 0 ] || fail "K01_00414: a refused restore wrote"
echo "PASSED"
