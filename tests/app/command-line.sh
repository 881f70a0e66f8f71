#!/usr/bin/env bash
# quorconfig --version and --help, with no display at all: both are answered
# before the window (and its search) could start; and the targets it refuses.
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
# Targets that ask no one, or are not addresses, are refused before the
# window opens (on Qt's offscreen display: the refusal comes from the window's
# own application object).
refused() {
    local status=0 err
    err=$(QT_QPA_PLATFORM=offscreen "$quorconfig" "${@:1:$#-1}" 2>&1) || status=$?
    [ "$status" -eq 2 ] || fail "${*:1:$#-1}: exit $status, expected 2"
    # Qt may warn first (no XDG_RUNTIME_DIR, say); the refusal is a line of its own.
    grep -qx -- "${!#}" <<<"$err" || fail "${*:1:$#-1} said '$err'"
}
refused --no-broadcast "quorconfig: --no-broadcast needs a --target, or nothing is asked"
refused --target 10.2.0 \
    "quorconfig: --target 10.2.0: not an address; give ADDR or ADDR/PREFIX, e.g. 10.2.0.0/24"
# An option without its value: our own words, status 2, as quorctl.
refused --target "quorconfig: --target needs a value"
refused --no-broadcast --interface "quorconfig: --interface needs a name"
echo "PASSED"
