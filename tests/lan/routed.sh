#!/usr/bin/env bash
# Controllers behind a router: the PC's subnet (SCENARIO) on br0, a second
# subnet (ROUTED, 10.46.0.0/16) behind the router namespace. The broadcast
# search finds only the PC's subnet; with --target the devices behind the
# router are found as well, in the table's order, and config and backup of
# one of them work; scan lists the devices of a range only.
#   routed.sh LAN QUORSIM QUORCTL SCENARIO ROUTED      exit 77: skipped
set -euo pipefail
LAN=$1 quorctl=$3 scenario=$4 routed=$5
export QUORSIM=$2
source "$(dirname "$0")/lanlib.sh"
lan_begin r

"$LAN" up "$scenario" >/dev/null
"$LAN" route "$routed" >/dev/null
"$LAN" blackhole 10.46.1.0/24

# Rows "name, address," ordered by the low 26 bits of the identity.
rows_of() {
    cat "$@" | while read -r name ip id; do
        echo "$((id & 0x3FFFFFF)) $name $ip"
    done | sort -s -n -k1,1 | awk '{print " " $2 ",  " $3 ","}'
}
names() { sed 's/^\( [^,]*,  [^,]*,\).*/\1/'; }

here=$(rows_of <("$QUORSIM" "$scenario" --list))
both=$(rows_of <("$QUORSIM" "$scenario" --list) <("$QUORSIM" "$routed" --list))
behind=$(rows_of <("$QUORSIM" "$routed" --list))

got=$("$LAN" run -- "$quorctl" search | names)
[ "$got" = "$here" ] || fail "broadcast search: got
$got
expected
$here"

got=$("$LAN" run -- "$quorctl" --target 10.46.1.0/24 search | names)
[ "$got" = "$both" ] || fail "search with --target: got
$got
expected
$both"

got=$("$LAN" run -- "$quorctl" scan 10.46.1.0/24 | names)
[ "$got" = "$behind" ] || fail "scan: got
$got
expected
$behind"

# A device named by its address alone, without the broadcast.
got=$("$LAN" run -- "$quorctl" --no-broadcast --target 10.46.1.11 search | names)
[ "$got" = " K01_00401,  10.46.1.11," ] || fail "--no-broadcast --target 10.46.1.11: got '$got'"

out=$("$LAN" run -- "$quorctl" --target 10.46.1.11 config K01_00401) || fail "config behind the router: $out"
grep -q "Rd1" <<<"$out" || fail "config of K01_00401 shows no reader: $out"
work="$QUOR_LAN_DIR/routed"
mkdir -p "$work"
"$LAN" run -- "$quorctl" --target 10.46.1.0/30 --target 10.46.1.8/29 backup K01_00401 "$work/b.json" ||
    fail "backup behind the router"
grep -q '"K01_00401"' "$work/b.json" || fail "the backup names no K01_00401"

# Without the target the controller behind the router is not found.
status=0
"$LAN" run -- "$quorctl" config K01_00401 >/dev/null 2>&1 || status=$?
[ "$status" -eq 1 ] || fail "config K01_00401 without --target: exit $status, expected 1"

# A target refused at start, before anything is sent.
status=0
err=$("$LAN" run -- "$quorctl" --target 10.46.0.0/16 search 2>&1) || status=$?
[ "$status" -eq 2 ] || fail "--target 10.46.0.0/16: exit $status, expected 2"
[ "$err" = "quorctl: --target 10.46.0.0/16: a range may be at most /22 (1,024 addresses)" ] ||
    fail "--target 10.46.0.0/16: '$err'"
echo "PASSED"
