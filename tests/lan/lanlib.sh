# What the virtual-LAN tests share; sourced by each of them. Before sourcing,
# set LAN (tools/lan) and export QUORSIM. lan_begin TAG then gives the test a
# LAN prefix of its own (so that tests run in parallel), skips it (exit 77)
# without root or ip netns, and tears the LAN down however the test ends; the
# run folder with the devices' logs is kept when the test fails.

skip() {
    echo "SKIPPED: $*"
    exit 77
}

fail() {
    echo "FAILED: $* (logs in $QUOR_LAN_DIR)" >&2
    exit 1
}

lan_begin() {
    export QUOR_LAN_PREFIX="ql$1$$"
    export QUOR_LAN_DIR="${TMPDIR:-/tmp}/quorlan-$QUOR_LAN_PREFIX"
    [ "$(id -u)" -eq 0 ] || skip "needs root"
    command -v ip >/dev/null || skip "no ip command"
    ip netns add "$QUOR_LAN_PREFIX-chk" 2>/dev/null || skip "ip netns unavailable"
    ip netns del "$QUOR_LAN_PREFIX-chk"
    trap lan_end EXIT
}

lan_end() {
    local status=$?
    "$LAN" down >/dev/null || status=1
    [ "$status" -ne 0 ] || rm -rf "$QUOR_LAN_DIR"
    exit "$status"
}

# The log of a device's datagrams.
device_log() {
    echo "$QUOR_LAN_DIR/$1.log"
}

# The block writes a device took in with a good signature.
block_writes() {
    grep -cE " in  +[0-9.]+ < [0-9.:]+ c $1 signed .* sig=ok" "$(device_log "$1")" || true
}

# The command letters a device received, in order: "OOTOKODCCCO".
received_letters() {
    awk '$2 == "in" {print $6}' "$(device_log "$1")" 2>/dev/null | tr -d '\n'
}

# wait_until SECONDS MESSAGE COMMAND...: runs COMMAND until it succeeds; fails
# with MESSAGE when it has not within SECONDS.
wait_until() {
    local deadline=$((SECONDS + $1)) message=$2
    shift 2
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || fail "$message"
        sleep 0.1
    done
}

# True when the letters device $1 received match the extended regex $2.
received_match() {
    [[ "$(received_letters "$1")" =~ $2 ]]
}

# The ids of the processes named $1 on this LAN's PC: other tests may run a
# program of the same name on their own LANs.
pc_processes() {
    local pid
    for pid in $(ip netns pids "$QUOR_LAN_PREFIX-pc" 2>/dev/null); do
        if [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = "$1" ]; then echo "$pid"; fi
    done
}

# Closes this LAN's quorconfig as a logout would (SIGTERM) and waits for it to
# end; $1 is the job that started it.
close_window() {
    local pid
    pid=$(pc_processes quorconfig)
    [ -n "$pid" ] || fail "quorconfig is not running"
    kill -TERM "$pid"
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.2
    done
    ! kill -0 "$pid" 2>/dev/null || fail "quorconfig did not end on SIGTERM"
    wait "$1" || true
}
