#!/usr/bin/env bash
# The configurator's window end to end: quorconfig runs on the PC of a LAN of
# network namespaces under Xvfb, finds the devices of the scenario and loads
# the first controller; SIGTERM then closes the window. The controller's log
# must show the search, the time announcement, the session, the table and the
# door blocks, and at the end the closing command of the session, once.
#
# Then the installer at work, in a LAN of the driver's scenario: window_driver
# runs the same window (offscreen) and goes through its controls. It selects
# K01_00021, moves door 1's bolt from Out1 to Out2, writes, removes the lost
# devices and saves a report. The controller's log must show the three blocks
# written and acknowledged and the delete command; quorctl must read back the
# new bolt with nothing else changed and the bus without the lost devices; the
# report file must be the expected one, byte for byte (Windows-1250, CR LF).
#   window.sh LAN QUORSIM QUORCONFIG SCENARIO DRIVER DRIVER-SCENARIO EXPECTED QUORCTL
#   exit 77: skipped (not root, no ip netns, no Xvfb)
set -euo pipefail
LAN=$1 quorconfig=$3 scenario=$4 driver=$5 driver_scenario=$6 expected=$7 quorctl=$8
export QUORSIM=$2
source "$(dirname "$0")/lanlib.sh"
command -v xvfb-run >/dev/null || skip "no xvfb-run"
lan_begin w

"$LAN" up "$scenario" >/dev/null
read -r name ip _ < <("$QUORSIM" "$scenario" --list)
log=$(device_log "$name")

"$LAN" run -- xvfb-run -a "$quorconfig" >"$QUOR_LAN_DIR/quorconfig.out" 2>&1 &
runner=$!
# Loaded: every block read after the table, and the timer's poll after them.
wait_until 30 "the controller was not loaded" received_match "$name" "DO?C+O"

close_window "$runner"

# The command letters the controller received, in order.
received=$(received_letters "$name")
echo "received: $received"
[[ "$received" =~ ^O+T ]] || fail "no search and time announcement first"
[[ "$received" =~ OKO?D ]] || fail "no session and table read"
[[ "$received" =~ DO?C+ ]] || fail "no block reads after the table"
[[ "$received" =~ Os$ ]] || fail "the session was not closed at the end"
[ "$(grep -c " in  .* s $name signed .*sig=ok" "$log")" -eq 1 ] || fail "the session was not closed exactly once"

# --- The installer at work ---
"$LAN" up "$driver_scenario" >/dev/null
target=K01_00021
log=$(device_log $target)
"$LAN" run -- "$quorctl" config $target >"$QUOR_LAN_DIR/config.before" || fail "quorctl config before the run"
reports="$QUOR_LAN_DIR/reports"
mkdir -p "$reports"
day_before=$(date +%F)
# The report dialogs open in the current directory; the locale fixes the date separator (-).
(cd "$reports" && LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen "$LAN" run -- "$driver" select $target bolt 1 $target:Out2 \
    tick write delete-lost report "Budynek B, wejście główne") >"$QUOR_LAN_DIR/driver.out" \
    2>"$QUOR_LAN_DIR/driver.err" || fail "window_driver: $(grep -v '^QStandardPaths' "$QUOR_LAN_DIR/driver.err")"
day_after=$(date +%F)
cat "$QUOR_LAN_DIR/driver.out"
sed -E 's/"[0-9]{4}-[0-9]{2}-[0-9]{2} K01_00021"/"DATE K01_00021"/' "$QUOR_LAN_DIR/driver.out" |
    diff -u "$expected/driver.txt" - || fail "the window showed something else"

# The controller's log: what the controller received and acknowledged,
# without time, addresses and frame counter.
frames() {
    awk -v letters="$1" 'index(letters, substr($6, 1, 1)) {
        sub(/^[^ ]+ /, ""); sub(/ +[0-9.]+ [<>] [0-9.:]+ /, " "); sub(/ ctr=[0-9]+/, ""); print }' "$log"
}
[ "$(frames cF)" = "in c K01_00021 signed len=10 sig=ok block=16.0
out c* K01_00021 signed len=1 sig=ok
in c K01_00021 signed len=102 sig=ok block=1.0
out c* K01_00021 signed len=1 sig=ok
in c K01_00021 signed len=102 sig=ok block=1.1
out c* K01_00021 signed len=1 sig=ok
in F K01_00021 signed len=0 sig=ok
out F* K01_00021 signed len=1 sig=ok" ] || fail "$target: not the blocks and the delete expected:
$(frames cF)"
received=$(received_letters $target)
echo "$target received: $received"
# Loaded (table, common block, two doors), written, then read again after the delete.
[[ "$received" =~ KDO?CCC[^c]*ccc[^F]*FO?DO?CCC[^c]*s$ ]] || fail "$target: not load, write, delete, reload, close"
! grep -q " in  .* [cFR] K01_00020 " "$(device_log K01_00020)" || fail "K01_00020 was changed"
while read -r name _; do
    opened=$(grep -c " in  .* K $name plain " "$(device_log "$name")" || true)
    closed=$(grep -c " in  .* s $name signed .* sig=ok" "$(device_log "$name")" || true)
    [ "$opened" -eq "$closed" ] || fail "$name: $opened sessions opened, $closed closed"
done <"$QUOR_LAN_DIR/devices.txt"

# Read back: the new bolt and nothing else; the lost devices gone, the new one accepted.
"$LAN" run -- "$quorctl" config $target >"$QUOR_LAN_DIR/config.after" || fail "quorctl config after the run"
[ "$(diff "$QUOR_LAN_DIR/config.before" "$QUOR_LAN_DIR/config.after" | grep '^[<>]')" = \
    "<                  Rygiel: K01_00021:Out1
>                  Rygiel: K01_00021:Out2" ] || fail "the configuration read back is not the one written"
"$LAN" run -- "$quorctl" table $target | diff -u "$expected/table.$target.txt" - || fail "the bus read back differs"

# The report: the proposed name (today's date), Windows-1250, CR LF, the expected lines.
files=("$reports"/*)
[ "${#files[@]}" -eq 1 ] || fail "not one report: ${files[*]}"
report=${files[0]}
day=$(basename "$report" " $target.txt")
[ "$day" = "$day_before" ] || [ "$day" = "$day_after" ] || fail "report name $(basename "$report")"
LC_ALL=C grep -qa $'^            Data: '"$day"$'\r$' "$report" || fail "the report is not dated $day"
LC_ALL=C grep -qa $'^     Lokalizacja: Budynek B, wej\x9Ccie g\xB3\xF3wne\r$' "$report" || fail "the location is not in Windows-1250"
[ "$(LC_ALL=C grep -c $'\r$' "$report")" -eq "$(wc -l <"$report")" ] || fail "not every line of the report ends in CR LF"
sed 's/^\(            Data: \)[0-9-]*\r$/\12019-08-29\r/' "$report" | cmp - "$expected/report.$target.txt" ||
    fail "the report differs from report.$target.txt"
echo "PASSED"
