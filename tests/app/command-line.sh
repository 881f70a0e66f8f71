#!/usr/bin/env bash
# quorconfig --version and --help, with no display at all: both are answered
# before the window (and its search) could start.
#   command-line.sh QUORCONFIG
set -euo pipefail
quorconfig=$1
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$quorconfig" "$@"; }

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

version=$(run --version) || fail "--version: exit $?"
[ "$version" = "quorconfig 2.1.0" ] || fail "--version printed '$version'"
[ "$(run -v)" = "quorconfig 2.1.0" ] || fail "-v"

help=$(run --help) || fail "--help: exit $?"
echo "$help"
[[ "$help" == "Usage: "*"quorconfig [options]"* ]] || fail "--help: no usage line"
for line in "  -h, --help" "  -v, --version" "  --interface <name>        Send the search and every datagram out of network" \
    "  --target <addr[/prefix]>" "  --no-broadcast"; do
    [[ "$help" == *"$line"* ]] || fail "--help lacks '$line'"
done
echo "PASSED"
