#!/usr/bin/env bash
# Installed where the player cannot write, the game keeps its tally in the
# player's own data folder, and starts, plays a solo table and ends cleanly.
# Needs root: it installs into a root-owned folder and plays as the user
# ludotest, whom it creates when missing.
# Usage: per_user_test.sh BUILD_DIR
set -euo pipefail
. "$(dirname "$0")/lib.sh"
build=$1

[ "$(id -u)" -eq 0 ] || skip "needs root to install for everyone and play as another user"
command -v runuser >/dev/null || skip "runuser is not available"

player=ludotest
id "$player" >/dev/null 2>&1 || useradd -m "$player"
home=$(getent passwd "$player" | cut -d: -f6)
data=$home/.local/share/Ludomyra
rm -rf "$data"

scratch=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        if kill -0 "$pid" 2>/dev/null; then
            kill -KILL "$pid"
        fi
    done
    rm -rf "$scratch"
}
trap cleanup EXIT
chmod 755 "$scratch"
prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
if runuser -u "$player" -- test -w "$prefix/bin"; then
    fail "$player can write $prefix/bin, so this tests nothing"
fi
runtime=$scratch/runtime
mkdir -m 700 "$runtime"
chown "$player" "$runtime"
port=$(free_port)

# Runs the installed program as the player in the background; prints its pid.
play() {
    local name=$1
    shift
    runuser -u "$player" -- env -i HOME="$home" PATH=/usr/bin:/bin QT_QPA_PLATFORM=offscreen \
        XDG_RUNTIME_DIR="$runtime" LUDOMYRA_PORT="$port" LUDOMYRA_DISCOVERY_PORT=0 \
        sh -c '"$@" & echo $! >"$0.pid"; wait $!; echo $? >"$0.status"' \
        "$runtime/$name" "$prefix/bin/ludomyra" "$@" \
        >"$scratch/$name.log" 2>&1 &
    for _ in $(seq 50); do
        [ -s "$runtime/$name.pid" ] && break
        sleep 0.1
    done
    cat "$runtime/$name.pid"
}

wait_for() {
    for _ in $(seq 100); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
# The kernel's tables of TCP sockets: "0A" is a listening socket on the game
# port (a table for others listens on both families, so in tcp6), "01" a
# connection to it from the loopback address.
listening() {
    grep -qi "^ *[0-9]*: [0-9A-F]*:$(printf '%04X' "$port") 0*:0000 0A " /proc/net/tcp /proc/net/tcp6
}
joined() { grep -qi "^ *[0-9]*: 0100007F:[0-9A-F]* 0100007F:$(printf '%04X' "$port") 01 " /proc/net/tcp; }

# A table on its own, and the player's window joining it; when the table
# closes, the window stays with the next table's choices, and when the
# system ends it, the program ends normally, saving its tally on the way out.
host=$(play host --serve)
pids+=("$host")
wait_for listening || fail "the host does not listen: $(cat "$scratch/host.log")"
window=$(play window Ann 127.0.0.1 join)
pids+=("$window")
wait_for joined || fail "the window did not join: $(cat "$scratch/window.log")"
sleep 1 # log-in and settings

kill -TERM "$host"
wait_gone "$host" 10 || fail "the host did not stop"
sleep 1 # the window hears of it
kill -0 "$window" 2>/dev/null || fail "the window closed when the host left"
kill -TERM "$window"
wait_gone "$window" 20 || fail "the window did not end on SIGTERM"
wait_for test -s "$runtime/window.status" || fail "no exit status from the window"
[ "$(cat "$runtime/window.status")" = 0 ] ||
    fail "the window ended with status $(cat "$runtime/window.status"): $(cat "$scratch/window.log")"

tally=$data/Ludomyratally.tld
[ -s "$tally" ] || fail "no tally in $data: $(cat "$scratch/window.log")"
[ "$(stat -c %U "$tally")" = "$player" ] || fail "the tally does not belong to $player"
extra=$(ls "$prefix/bin" | grep -v -x -e ludomyra -e ludomyra-tally || true)
[ -z "$extra" ] || fail "files appeared beside the program: $extra"
echo "as $player: the tally is in $data, nothing was written beside the program"
