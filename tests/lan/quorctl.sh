#!/usr/bin/env bash
# quorctl's output over real sockets against the expected files: for every
# file EXPECTED/<scenario>.<command>[.<device>].txt the command must print it
# (report: write it, with the date line of 2019-08-29 and the location
# "Budynek B, wejście główne"); for .json and .csv it must print it with
# --format json or csv; for a .err file it must fail with that text on
# stderr. The unit tests check the same files on the in-memory LAN.
#   quorctl.sh LAN QUORSIM QUORCTL SCENARIO EXPECTED      exit 77: skipped
set -euo pipefail
LAN=$1 quorctl=$3 scenario=$4 expected=$5
export QUORSIM=$2
source "$(dirname "$0")/lanlib.sh"
lan_begin q

"$LAN" up "$scenario" >/dev/null
work="$QUOR_LAN_DIR/quorctl"
mkdir -p "$work"
name=$(basename "$scenario" .json)
checked=0
for file in "$expected/$name".*; do
    stem=$(basename "${file%.*}")
    rest=${stem#"$name".}
    command=${rest%%.*}
    device=${rest#"$command"}
    device=${device#.}
    args=("$command")
    [ -z "$device" ] || args+=("$device")
    [ "$command" != report ] || args+=("$work/report.txt" --location "Budynek B, wejście główne")
    case "${file##*.}" in json | csv) args+=(--format "${file##*.}") ;; esac
    status=0
    "$LAN" run -- "$quorctl" "${args[@]}" >"$work/out" 2>"$work/err" || status=$?
    if [ "${file##*.}" = err ]; then
        [ "$status" -eq 1 ] || fail "quorctl ${args[*]}: exit $status, expected 1"
        got="$work/err"
    else
        [ "$status" -eq 0 ] || fail "quorctl ${args[*]}: exit $status: $(cat "$work/err")"
        got="$work/out"
        if [ "$command" = report ]; then
            # The report carries today's date; the expected file that of 2019-08-29.
            sed 's/^\(            Data: \)[0-9-]*\r$/\12019-08-29\r/' "$work/report.txt" >"$work/out"
        fi
    fi
    diff -u "$file" "$got" || fail "quorctl ${args[*]} differs from $(basename "$file")"
    checked=$((checked + 1))
done
[ "$checked" -gt 0 ] || fail "no expected files for $name in $expected"
echo "PASSED: $checked outputs of $name"
