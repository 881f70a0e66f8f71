#!/usr/bin/env bash
# The link and the model over real sockets: lanclient (GoogleTest) runs in the
# PC namespace of a LAN with the devices of a scenario.
#   client.sh LAN QUORSIM LANCLIENT SCENARIO [GTEST-OPTION...]      exit 77: skipped
set -euo pipefail
LAN=$1 client=$3 scenario=$4
export QUORSIM=$2
shift 4
source "$(dirname "$0")/lanlib.sh"
lan_begin c

"$LAN" up "$scenario" >/dev/null
"$LAN" run -- "$client" "$scenario" "$@" || fail "lanclient failed"
# Every session the client opened it closed again.
while read -r name _; do
    log=$(device_log "$name")
    opened=$(grep -c " in  .* K $name plain " "$log" || true)
    closed=$(grep -c " in  .* s $name signed .* sig=ok" "$log" || true)
    [ "$opened" -eq "$closed" ] || fail "$name: $opened sessions opened, $closed closed"
done <"$QUOR_LAN_DIR/devices.txt"
echo "PASSED"
