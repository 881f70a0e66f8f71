#!/usr/bin/env bash
# Faults over real sockets, on the site scenario:
#  - a dropped reply costs one retry: the controller's log shows the request
#    twice (the retry with the next frame counter) and one reply, and quorctl
#    still prints the table;
#  - a wrong reply signature fails at once with code 6, without a retry;
#  - a reply held back 350 ms is still taken: the request goes once;
#  - a device that floods the PC with stray datagrams does not hold quorctl:
#    the search and the loading of that device end with the right output.
#   faults.sh LAN QUORSIM QUORCTL SCENARIO EXPECTED      exit 77: skipped
set -euo pipefail
LAN=$1 quorctl=$3 scenario=$4 expected=$5
export QUORSIM=$2
source "$(dirname "$0")/lanlib.sh"
lan_begin f

drop=K01_01101 sign=K03_01301 flood=K04_01401 late=K02_01201
"$LAN" up "$scenario" --fault "drop:D:1@$drop" --fault "sig:D:1@$sign" --fault "flood:20@$flood" \
    --fault "late:D:1@$late" >/dev/null
work="$QUOR_LAN_DIR/faults"
mkdir -p "$work"
# A hang guard only: with every fault, each command must end.
ctl() { timeout 60 "$LAN" run -- "$quorctl" "$@"; }

# Lines of a device's log for one signed command: "in" or "out", command letter.
signed_lines() {
    grep -E " $2 +[0-9.]+ [<>] [0-9.:]+ $3 $1 signed " "$(device_log "$1")" || true
}

ctl table "$drop" >"$work/table" || fail "table $drop failed"
diff -u "$expected/site.table.$drop.txt" "$work/table" || fail "table $drop differs"
requests=$(signed_lines "$drop" in D)
[ "$(wc -l <<<"$requests")" -eq 2 ] || fail "$drop: expected the read-table request twice: $requests"
counters=$(sed -E 's/.* ctr=([0-9]+) .*/\1/' <<<"$requests" | tr '\n' ' ')
read -r first second <<<"$counters"
[ "$second" -eq $((first + 1)) ] || fail "$drop: the retry must carry the next counter, got $counters"
[ "$(signed_lines "$drop" out 'D\*' | wc -l)" -eq 1 ] || fail "$drop: expected one reply"

status=0
ctl table "$sign" >"$work/out" 2>"$work/err" || status=$?
[ "$status" -eq 1 ] || fail "table $sign: exit $status, expected 1"
printf "%s, tryb: Serwis.\n\nBłąd nr 6 (r.'D'): Błąd podpisu ramki.\n" "$sign" | diff -u - "$work/err" ||
    fail "table $sign: not the signature error"
[ "$(signed_lines "$sign" in D | wc -l)" -eq 1 ] || fail "$sign: a bad signature must not be retried"
signed_lines "$sign" out 'D\*' | grep "sig=bad" >/dev/null || fail "$sign: the log shows no spoilt signature"

ctl table "$late" >"$work/late" || fail "table $late failed"
diff -u "$expected/site.table.$late.txt" "$work/late" || fail "table $late differs"
[ "$(signed_lines "$late" in D | wc -l)" -eq 1 ] || fail "$late: a reply 350 ms late must be taken, not asked again"
# Milliseconds of the day of a log line's time stamp.
day_ms() {
    local h m s f
    IFS=':.' read -r h m s f <<<"$1"
    echo $(((10#$h * 3600 + 10#$m * 60 + 10#$s) * 1000 + 10#$f))
}
asked=$(day_ms "$(signed_lines "$late" in D | cut -d' ' -f1)")
answered=$(day_ms "$(signed_lines "$late" out 'D\*' | cut -d' ' -f1)")
# The stamps are times of day: a reply after midnight has the smaller one.
held=$(((answered - asked + 86400000) % 86400000))
[ "$held" -ge 350 ] || fail "$late: the reply left $held ms after the request"

ctl search >"$work/search" || fail "search failed"
diff -u "$expected/site.search.txt" "$work/search" || fail "search differs under the flood"
ctl config "$flood" >"$work/config" || fail "config $flood failed"
diff -u "$expected/site.config.$flood.txt" "$work/config" || fail "config $flood differs under the flood"
# Every datagram the device sent beyond one reply per request was stray.
log=$(device_log "$flood")
stray=$(($(grep -c " out " "$log") - $(grep -c " in " "$log")))
[ "$stray" -ge 20 ] || fail "$flood: only $stray stray datagrams; the flood did not run"
echo "PASSED"
