#!/usr/bin/env bash
# restart-session.sh WINE_RUN PROBE.exe DIR: runs the restart probe in a fresh Wine prefix under DIR,
# which the restart may leave in any state and which is removed afterwards. Passes when the system
# accepted the request, the shutdown privilege was disabled again, the probe's session ended, and
# what the probe left for the next restart is gone once the prefix starts again.
set -euo pipefail
wine_run=$1 probe=$2 dir=$3

export SETUP_WINE_DIR=$dir
unset DISPLAY
trace=$dir/trace.txt
cleanup() { "$wine_run" --shutdown >/dev/null 2>&1 || true; rm -rf "$dir"; }
trap cleanup EXIT

rm -rf "$dir"
"$wine_run" --fresh
status=0
"$wine_run" "$probe" "Z:${trace//\//\\}" || status=$?
WINEPREFIX=$dir/prefix wineserver -w || true
echo "probe exit status: $status"
cat "$trace"
leftover=$dir/prefix/drive_c/restart-leftover
[ -e "$leftover/setup.exe" ] && echo "left for the next restart: $(ls "$leftover")"
"$wine_run" cmd /c exit
WINEPREFIX=$dir/prefix wineserver -w || true

grep -qx "leftover in place" "$trace"
grep -qx "accepted yes" "$trace"
grep -qx "privilege disabled" "$trace"
grep -qx "session ended" "$trace"
! grep -q "still running" "$trace"
[ ! -e "$leftover" ] || { echo "still there after the restart: $leftover" >&2; exit 1; }
