#!/usr/bin/env bash
# The main job: the sample product becomes a distribution (mksetup, several files beside setup.exe),
# the distribution is listed and verified, and setup.exe starts from it under Wine: it expands its
# support files from the disks and opens its setup screen, which is saved as a picture.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
dist=build/win32/sample-dist
out=build/demo

cmake --build --preset win32 --target sample-dist
build/native/tools/mksetup/mksetup list "$dist"
build/native/tools/mksetup/mksetup verify "$dist"

# setup.exe in a Wine prefix and on an Xvfb display of the demo's own.
export SETUP_WINE_DIR=$root/$out/wine
mkdir -p "$out"
cmake/wine-run.sh --fresh
(cd "$dist" && "$root/cmake/wine-run.sh" setup.exe) &
sleep 25
import -window root -display "$(cat "$SETUP_WINE_DIR/display")" "$out/setup-screen.png"
WINEPREFIX=$SETUP_WINE_DIR/prefix wineserver -k || true
wait || true
cmake/wine-run.sh --shutdown

temp_dirs=$(find "$SETUP_WINE_DIR/prefix/drive_c/windows/temp" -maxdepth 1 -name 'z2000_*' | wc -l)
echo
echo "setup.exe expanded its support files into C:\\windows\\temp\\z2000_* ($temp_dirs run) and showed"
echo "its setup screen: $out/setup-screen.png."
echo "Not yet: clicking through the wizard unattended (the end-to-end driver is still to come), so the"
echo "demo stops at the first page instead of installing the sample product."
