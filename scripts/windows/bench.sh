#!/usr/bin/env bash
# The benchmark's transfers (Read Memory, Write Memory, with verify, one changed channel) of the
# Windows build through COM 5, which Wine maps to the pseudo-terminal of the Linux hxv5-radio-sim
# answering at the line's pace, and the Linux benchmark beside it (its own simulated radios): the
# wall time, the line's lower bound and their ratio. About two minutes on an idle machine.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages wine wine64
build_linux_programs hxv5-radio-sim
if [[ ! -d "$WINEPREFIX" ]]; then
    "$wine" wineboot --init >/dev/null 2>&1
fi
build_environment
work="$(mktemp -d)"
sim_pid=
cleanup() {
    "$wineserver" -k 2>/dev/null || true
    [[ -n "$sim_pid" ]] && kill "$sim_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

"$linux_build/bin/hxv5-radio-sim" --no-bind --memory "$work/memory.txt" >"$work/sim.out" 2>"$work/sim.err" &
sim_pid=$!
for _ in $(seq 100); do
    [[ -s "$work/sim.out" ]] && break
    sleep 0.1
done
ln -sfn "$(head -n 1 "$work/sim.out")" "$WINEPREFIX/dosdevices/com5"
echo "Windows build through COM 5 (Wine):"
"$wine" "$cross_build/bin/hxv5-bench-link.exe" --line COM5 | tr -d '\r'
"$wineserver" -k
kill -INT "$sim_pid"
wait "$sim_pid" || true
sim_pid=

if [[ -x "$linux_build/bin/hxv5-bench-link" ]]; then
    echo
    echo "Linux build ($(sed -n 's/^CMAKE_BUILD_TYPE:STRING=//p' "$linux_build/CMakeCache.txt")) through the pseudo-terminal:"
    "$linux_build/bin/hxv5-bench-link"
fi
