#!/usr/bin/env bash
# The main job: the sample product becomes a distribution in both forms (mksetup: disks beside setup.exe,
# and one setup.exe that carries them, signed with a test certificate made here by openssl), each listed
# and verified, and the single setup.exe installs it under Wine in the demo's own prefix (build/demo/wine). On the
# user's display (DISPLAY set) the user walks the wizard; without one, setupwalk walks it on an Xvfb
# display as the end-to-end test does and saves a picture of every page in build/demo. Either way the
# demo prints what was installed and where, and fails unless the uninstall entry is there.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
dist=build/win32/sample-dist
out=build/demo
single=$out/sample-single
signing=$out/signing
mksetup=build/native/tools/mksetup/mksetup
walk=build/win32/tools/setupwalk/setupwalk.exe
title="Northwind Notes 2.0"

# A Linux path as the Windows programs see it.
winpath() { local path=$root/$1; echo "Z:${path//\//\\}"; }

# Every Windows program of the demo, the Windows mksetup of the build included, runs in the demo's own
# prefix and display, which the demo stops at its end.
export SETUP_WINE_DIR=$root/$out/wine
mkdir -p "$out"
rm -f "$out"/journey-*.png
user_display=${DISPLAY:-}
cmake/wine-run.sh --fresh
trap 'cmake/wine-run.sh --shutdown' EXIT

cmake --build --preset win32 -j "${JOBS:-$(nproc)}" --target sample-dist sample-product setupwalk_program
"$mksetup" list "$dist"
"$mksetup" verify "$dist"

# A certificate for the demo only: signing works with it, but no system trusts it.
mkdir -p "$signing"
if [ ! -f "$signing/cert.pem" ]; then
  openssl req -x509 -newkey rsa:2048 -nodes -days 365 -subj "/CN=Northwind Demo Signing" \
    -keyout "$signing/key.pem" -out "$signing/cert.pem" 2>/dev/null
fi
rm -rf "$single"
"$mksetup" build build/win32/sample-product -o "$single" --single-file \
  --sign-cert "$signing/cert.pem" --sign-key "$signing/key.pem"
"$mksetup" verify "$single/setup.exe" --ca-file "$signing/cert.pem"

if [ -n "$user_display" ]; then
  echo "setup.exe runs on your display: walk the wizard to its end."
  (cd "$single" && "$root/cmake/wine-run.sh" setup.exe) || true
  cmake/wine-run.sh "$walk" --report "$title" || status=$?
else
  cmake/wine-run.sh "$walk" "$(winpath "$single")" "$(winpath "$out")" || status=$?
fi
echo
echo "The uninstall entry in the demo's Wine prefix:"
cmake/wine-run.sh reg query "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$title" || status=$?
if [ "${status:-0}" -ne 0 ]; then
  echo "demo: the sample product is not installed" >&2
  exit 1
fi
uninstaller="$out/wine/prefix/drive_c/Program Files/Northwind Notes/setup.exe"
if [ -f "$uninstaller" ]; then
  echo
  echo "The uninstaller it installed carries the signature of its own:"
  osslsigncode verify -in "$uninstaller" -CAfile "$signing/cert.pem" 2>&1 | grep -m1 "Subject:" || true
  osslsigncode verify -in "$uninstaller" -CAfile "$signing/cert.pem" 2>&1 | grep "^Signature verification" || true
fi
echo
echo "The distribution folder: $dist (setup.exe, install.cfg, finstall.cfg, disk.001 ...)."
echo "The single signed file: $single/setup.exe (certificate $signing/cert.pem)."
echo "The sample product, installed from the single file, is in the Wine prefix $out/wine/prefix (drive C: is its drive_c)."
if [ -z "$user_display" ]; then echo "Pictures of every page: $out/journey-*.png"; fi
