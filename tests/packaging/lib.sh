# Helpers shared by the packaging tests. Sourced; the caller sets -euo pipefail.

# Bytes, not characters: the game's messages end with the byte 0xFF.
export LC_ALL=C

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# CTest counts exit status 77 as skipped.
skip() {
    echo "SKIP: $*"
    exit 77
}

# A TCP port that nothing on this machine uses right now.
free_port() {
    local port
    for _ in $(seq 100); do
        port=$((20000 + RANDOM % 40000))
        if ! grep -qi "$(printf ':%04X ' "$port")" /proc/net/tcp /proc/net/tcp6 2>/dev/null; then
            echo "$port"
            return 0
        fi
    done
    fail "no free port found"
}

# Opens file descriptor 3 to the game port on the loopback address, waiting up
# to ten seconds for the game to listen.
connect_to_game() {
    local port=$1
    for _ in $(seq 100); do
        if exec 3<>"/dev/tcp/127.0.0.1/$port"; then
            return 0
        fi 2>/dev/null
        sleep 0.1
    done
    fail "nothing listens on port $port"
}

# Prints the next message from file descriptor 3, without its closing 0xFF.
read_message() {
    local message
    IFS= read -r -d $'\377' -t 10 -u 3 message || fail "no whole message from the game"
    printf '%s' "$message"
}

# Waits up to `seconds` for process `pid` to end.
wait_gone() {
    local pid=$1 seconds=$2
    for _ in $(seq $((seconds * 10))); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    return 1
}

# Starts a solo game with an installed program and checks that, when its own
# arrival played the first clip, the program found its audio module.
expect_audio_module() {
    local program=$1 scratch=$2
    local log=$scratch/solo.log
    mkdir -p "$scratch/solo-home" "$scratch/solo-run"
    chmod 700 "$scratch/solo-run"
    QT_QPA_PLATFORM=offscreen LUDOMYRA_PORT=0 LUDOMYRA_HOME=$scratch/solo-home \
        XDG_RUNTIME_DIR=$scratch/solo-run LUDOMYRA_TRACE=CMD_newplayerinfo \
        "$program" 2>"$log" &
    local pid=$!
    for _ in $(seq 100); do
        grep -q "CMD_newplayerinfo" "$log" && break
        sleep 0.1
    done
    sleep 0.5 # the arrival's clip is played right after the message is traced
    kill -TERM "$pid" 2>/dev/null || true
    wait_gone "$pid" 5 || kill -KILL "$pid" 2>/dev/null || true
    grep -q "CMD_newplayerinfo" "$log" || fail "$program did not start a solo game: $(cat "$log")"
    if grep -q "sounds are off" "$log"; then
        fail "$program cannot load its audio module: $(grep "sounds are off" "$log")"
    fi
}
