#!/usr/bin/env bash
# The configurator's search over real sockets: tools/lan builds a LAN of
# network namespaces with the devices of a scenario, lanprobe searches it from
# the PC, and every device must be listed once, alive, in identity order.
# Also checked: the machine's own namespace gains no link, the devices' logs
# show the search and its reply, and tools/lan down leaves nothing behind.
#   search.sh LAN QUORSIM LANPROBE SCENARIO      exit 77: skipped (not root, no ip netns)
set -euo pipefail
lan=$1 probe=$3 scenario=$4
export QUORSIM=$2
export QUOR_LAN_PREFIX="qlt$$"
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
ip netns add "$QUOR_LAN_PREFIX-chk" 2>/dev/null || skip "ip netns unavailable"
ip netns del "$QUOR_LAN_PREFIX-chk"

host_links() { ip -o link show | awk -F': ' '{print $2}' | sort; }
links_before=$(host_links)
trap '"$lan" down' EXIT

"$lan" up "$scenario"
[ "$(host_links)" = "$links_before" ] || fail "the LAN added links to the machine's own namespace"

# Expected rows: name and address, ordered by the low 26 bits of the identity.
expected=$("$QUORSIM" "$scenario" --list | while read -r name ip id; do
    echo "$((id & 0x3FFFFFF)) $name $ip"
done | sort -s -n -k1,1 | awk '{print " " $2 ",  " $3 ",  "}')
rows=$("$lan" run -- "$probe")
echo "$rows"

[ "$(wc -l <<<"$rows")" -eq "$(wc -l <<<"$expected")" ] || fail "expected $(wc -l <<<"$expected") devices"
paste -d '|' <(echo "$expected") <(echo "$rows") | while IFS='|' read -r want got; do
    [[ "$got" == "$want"* ]] || fail "row '$got' is not '$want...'"
    [[ "$got" != *Niedostępny ]] || fail "row '$got': not alive"
done

while read -r name ip id; do
    log="$QUOR_LAN_DIR/$name.log"
    grep -q " in  255.255.255.255 < 10.45.0.1:45389 O all plain len=0 crc=ok" "$log" || fail "$name: no search in log"
    grep -q " out $ip > 10.45.0.1:45389 O $name plain len=16 crc=ok" "$log" || fail "$name: no reply in log"
done < <("$QUORSIM" "$scenario" --list)

"$lan" down
[ -z "$(ip netns list | grep -E "^$QUOR_LAN_PREFIX-")" ] || fail "namespaces left after down"
rm -rf "$QUOR_LAN_DIR"
echo "PASSED"
