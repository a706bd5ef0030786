#!/usr/bin/env bash
# CPack's Debian package installs with dpkg, its ludomyra --serve takes a
# connection and greets it, and removing the package leaves none of its files.
# Needs root and dpkg; leaves alone a machine where ludomyra is installed.
# Usage: deb_test.sh BUILD_DIR
set -euo pipefail
. "$(dirname "$0")/lib.sh"
build=$1

[ "$(id -u)" -eq 0 ] || skip "needs root to install a package"
command -v dpkg >/dev/null && command -v dpkg-shlibdeps >/dev/null || skip "needs dpkg and dpkg-dev"
if dpkg-query -W -f='${Status}' ludomyra 2>/dev/null | grep -q 'install ok installed'; then
    skip "a ludomyra package is installed here already"
fi

scratch=$(mktemp -d)
installed=no
serve_pid=
cleanup() {
    if [ -n "$serve_pid" ] && kill -0 "$serve_pid" 2>/dev/null; then
        kill -KILL "$serve_pid"
    fi
    [ "$installed" = no ] || dpkg_locked --purge ludomyra >/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

# Other package tools may hold dpkg's lock for a while; wait for it.
dpkg_locked() {
    for _ in $(seq 60); do
        if dpkg "$@" 2>"$scratch/dpkg.err"; then
            return 0
        fi
        grep -q 'lock' "$scratch/dpkg.err" || break
        sleep 2
    done
    cat "$scratch/dpkg.err" >&2
    return 1
}

(cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -B "$scratch/out") >"$scratch/cpack.log" ||
    fail "cpack failed: $(cat "$scratch/cpack.log")"
deb=$(ls "$scratch"/out/*.deb)

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libc6 libqt6widgets6 libqt6network6 qt6-qpa-plugins libqt6svg6 libqt6multimedia6 \
    fonts-liberation; do
    grep -qw -- "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done

installed=yes
dpkg_locked -i "$deb" >/dev/null || fail "dpkg -i refused the package"
for file in /usr/bin/ludomyra /usr/bin/ludomyra-tally /usr/share/doc/ludomyra/ludomyra.service; do
    [ -e "$file" ] || fail "the package did not install $file"
done
grep -q '^ExecStart=/usr/bin/ludomyra --serve$' /usr/share/doc/ludomyra/ludomyra.service ||
    fail "the packaged service does not start /usr/bin/ludomyra"
expect_audio_module /usr/bin/ludomyra "$scratch"
if command -v systemd-analyze >/dev/null; then
    systemd-analyze verify /usr/share/doc/ludomyra/ludomyra.service ||
        fail "systemd finds fault with the example unit"
fi

port=$(free_port)
mkdir "$scratch/home"
LUDOMYRA_PORT=$port LUDOMYRA_DISCOVERY_PORT=0 LUDOMYRA_HOME=$scratch/home /usr/bin/ludomyra --serve \
    >"$scratch/serve.log" 2>&1 &
serve_pid=$!
connect_to_game "$port"
welcome=$(read_message)
[ "$welcome" = "CMD_sendlogininfo+1" ] || fail "the host greeted with: $welcome"
exec 3>&-
kill -TERM "$serve_pid"
status=0
wait "$serve_pid" || status=$?
serve_pid=
[ "$status" -eq 0 ] || fail "ludomyra --serve ended with status $status: $(cat "$scratch/serve.log")"

files=$(dpkg -L ludomyra)
dpkg_locked --purge ludomyra >/dev/null || fail "dpkg could not remove the package"
installed=no
while IFS= read -r path; do
    [ -d "$path" ] || [ ! -e "$path" ] || fail "$path is left after removal"
done <<<"$files"
echo "the package installed, served port $port and was removed cleanly"
