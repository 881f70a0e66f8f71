#!/usr/bin/env bash
# The configurator's search over real sockets: tools/lan builds a LAN of
# network namespaces with the devices of a scenario, quorctl searches it from
# the PC, and every device must be listed once, alive, in identity order.
# Also checked: the machine's own namespace gains no link, the devices' logs
# show the search and its reply, and tools/lan down leaves nothing behind.
#   search.sh LAN QUORSIM QUORCTL SCENARIO      exit 77: skipped (not root, no ip netns)
set -euo pipefail
LAN=$1 quorctl=$3 scenario=$4
export QUORSIM=$2
source "$(dirname "$0")/lanlib.sh"
lan_begin s

host_links() { ip -o link show | awk -F': ' '{print $2}' | sort; }
links_before=$(host_links)

"$LAN" up "$scenario"
[ "$(host_links)" = "$links_before" ] || fail "the LAN added links to the machine's own namespace"

# Expected rows: name and address, ordered by the low 26 bits of the identity.
expected=$("$QUORSIM" "$scenario" --list | while read -r name ip id; do
    echo "$((id & 0x3FFFFFF)) $name $ip"
done | sort -s -n -k1,1 | awk '{print " " $2 ",  " $3 ",  "}')
rows=$("$LAN" run -- "$quorctl" search)
echo "$rows"

[ "$(wc -l <<<"$rows")" -eq "$(wc -l <<<"$expected")" ] || fail "expected $(wc -l <<<"$expected") devices"
paste -d '|' <(echo "$expected") <(echo "$rows") | while IFS='|' read -r want got; do
    [[ "$got" == "$want"* ]] || fail "row '$got' is not '$want...'"
    [[ "$got" != *Niedostępny ]] || fail "row '$got': not alive"
done

while read -r name ip id; do
    log=$(device_log "$name")
    grep -q " in  255.255.255.255 < 10.45.0.1:45389 O all plain len=0 crc=ok" "$log" || fail "$name: no search in log"
    grep -q " out $ip > 10.45.0.1:45389 O $name plain len=16 crc=ok" "$log" || fail "$name: no reply in log"
done < <("$QUORSIM" "$scenario" --list)

"$LAN" down
[ -z "$(ip netns list | grep -E "^$QUOR_LAN_PREFIX-")" ] || fail "namespaces left after down"
echo "PASSED"
