#!/usr/bin/env bash
# Installs what the build and the tests need on a fresh Debian 12 machine (as root, or with sudo).
set -euo pipefail

packages=(
  cmake make g++ gcc file
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev
  wine wine32:i386 wine64 xvfb xauth x11-apps
  libgtest-dev googletest libgmock-dev libbenchmark-dev libcli11-dev
  clang-14 libclang-rt-14-dev
  lhasa jlha-utils default-jre-headless
  hyperfine time imagemagick
  stress-ng  # make test-busy: the tests beside two CPU-bound processes
  help2man dpkg-dev man-db  # the man page, the Debian package and its checks
  osslsigncode openssl  # signing setup.exe, and the test certificates
  fonts-liberation  # stand-ins for the Windows faces the setup screen names, which Wine picks up
  lzma-dev  # the LZMA coder's sources, compiled into our own targets
  nsis  # a peer for bench/installer-vs-nsis.sh only
)

sudo_if_needed() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
i386=$(dpkg --print-foreign-architectures | grep -c '^i386$' || true)
if [ "${#missing[@]}" -eq 0 ] && [ "$i386" -gt 0 ]; then exit 0; fi

echo "Installing: ${missing[*]}"
[ "$i386" -gt 0 ] || sudo_if_needed dpkg --add-architecture i386
sudo_if_needed apt-get update -qq
sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
