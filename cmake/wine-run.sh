#!/usr/bin/env bash
# Runs a 32-bit Windows program under Wine in the prefix of this test run, with an X display.
#
#   wine-run.sh PROGRAM.exe [ARGS...]   run it (preparing the prefix and display when missing)
#   wine-run.sh --fresh                 start a new prefix and display for a test run
#   wine-run.sh --shutdown              wait for the prefix's wineserver, then stop the display
#
# The prefix lives in $SETUP_WINE_DIR, else ~/.cache/setup-wine. A CTest run has several prefixes in
# $SETUP_WINE_DIR (build/<preset>/wine), one per slot of its resource "wine": a test is handed one slot, and
# so a prefix and display that no other test uses meanwhile.
set -euo pipefail

dir=${SETUP_WINE_DIR:-$HOME/.cache/setup-wine}
if [[ ${CTEST_RESOURCE_GROUP_0_WINE:-} =~ ^id:([a-z0-9_]+), ]]; then dir=$dir/${BASH_REMATCH[1]}; fi
# A prefix of its own for a user that the system's code page cannot name: Wine takes the user's name from USER,
# and reads it in the locale's encoding (with C.UTF-8 the prefix gets code page 1252).
if [ -n "${SETUP_WINE_USER:-}" ]; then
  dir=${SETUP_WINE_DIR:-$HOME/.cache/setup-wine}
  export USER=$SETUP_WINE_USER LOGNAME=$SETUP_WINE_USER LANG=C.UTF-8
fi
# A 64-bit prefix of its own, where a 32-bit program runs as on 64-bit Windows (Program Files (x86), SysWOW64 and
# two registry views): Wine's 64-bit loader and server run it, and start the 32-bit loader for 32-bit programs.
wine=wine wineserver=wineserver
export WINEARCH=win32
if [ "${SETUP_WINE_ARCH:-}" = win64 ]; then
  dir=${SETUP_WINE_DIR:-$HOME/.cache/setup-wine64}
  wine=/usr/lib/wine/wine64 wineserver=/usr/lib/wine/wineserver64
  export WINEARCH=win64
fi
export WINEPREFIX=$dir/prefix
export WINEDEBUG=-all
# No menu entries or desktop files on the host; a test may add overrides of its own in SETUP_DLL_OVERRIDES (Wine
# reads them when a process starts, from the environment it was started with, not from the Windows one).
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d${SETUP_DLL_OVERRIDES:+;$SETUP_DLL_OVERRIDES}"

display_alive() {
  [ -f "$dir/xvfb.pid" ] && kill -0 "$(cat "$dir/xvfb.pid")" 2>/dev/null
}

# Another prefix's display may take a free number at the same moment: Xvfb writes its number to the ready
# file only once it listens, and exits if the number was taken, and then the next number is tried.
start_display() {
  local n=$((90 + RANDOM % 400)) pid ready=$dir/display.ready
  for _ in $(seq 20); do
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    : >"$ready"
    # setsid and closed descriptors (the lock too): neither CTest nor the next test may wait on it.
    setsid Xvfb ":$n" -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$ready" </dev/null >/dev/null 2>&1 9>&- &
    pid=$!
    while kill -0 "$pid" 2>/dev/null && [ ! -s "$ready" ]; do sleep 0.1; done
    if [ -s "$ready" ]; then
      echo "$pid" >"$dir/xvfb.pid"
      echo ":$n" >"$dir/display"
      return 0
    fi
    n=$((n + 1))
  done
  echo "wine-run.sh: Xvfb did not start" >&2
  return 1
}

prepare() {
  mkdir -p "$dir"
  if [ -z "${DISPLAY:-}" ] && ! display_alive; then start_display; fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$wine" wineboot -i >/dev/null 2>&1
    "$wineserver" -w
    # Wine links the user's Desktop, Documents ... to the home directory, which every prefix and every
    # run would then share: folders of the prefix's own keep runs apart.
    for link in "$WINEPREFIX"/drive_c/users/*/*; do
      if [ -L "$link" ]; then rm "$link" && mkdir "$link"; fi
    done
  fi
  # The share \\setuptests\share for installations on a network path: Wine finds \\server\share in
  # dosdevices/unc.
  if [ ! -e "$WINEPREFIX/dosdevices/unc/setuptests/share" ]; then
    mkdir -p "$dir/share" "$WINEPREFIX/dosdevices/unc/setuptests"
    ln -sfn "$dir/share" "$WINEPREFIX/dosdevices/unc/setuptests/share"
  fi
}

use_display() {
  if [ -z "${DISPLAY:-}" ] && [ -f "$dir/display" ]; then DISPLAY=$(cat "$dir/display"); export DISPLAY; fi
}

shutdown() {
  [ -d "$WINEPREFIX" ] && "$wineserver" -w 2>/dev/null || true
  if display_alive; then kill "$(cat "$dir/xvfb.pid")"; fi
  rm -f "$dir/xvfb.pid" "$dir/display" "$dir/display.ready"
}

case "${1:-}" in
  --fresh)
    mkdir -p "$dir"
    ( flock 9; shutdown; rm -rf "$WINEPREFIX"; prepare ) 9>"$dir/lock"
    echo "Wine prefix ready: $WINEPREFIX ($("$wine" --version), $WINEARCH)"
    ;;
  --shutdown)
    mkdir -p "$dir"
    ( flock 9; shutdown ) 9>"$dir/lock"
    ;;
  "")
    echo "usage: wine-run.sh PROGRAM.exe [ARGS...] | --fresh | --shutdown" >&2
    exit 2
    ;;
  *)
    mkdir -p "$dir"
    ( flock 9; prepare ) 9>"$dir/lock"
    use_display
    exec "$wine" "$@"
    ;;
esac
