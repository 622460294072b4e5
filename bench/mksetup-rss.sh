#!/bin/sh
# Peak resident size of "mksetup build" for payloads of growing size: it should stay flat.
# Usage: bench/mksetup-rss.sh [MKSETUP] [MEGABYTES...]   (defaults: build/native's mksetup, 10 200)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
mksetup=${1:-$here/build/native/tools/mksetup/mksetup}
[ $# -gt 0 ] && shift
sizes=${*:-10 200}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for mb in $sizes; do
    product=$work/product-$mb
    cp -r "$here/examples/sample" "$product"
    mkdir -p "$product/programs" "$product/payload"
    echo placeholder > "$product/programs/notes.exe"
    echo placeholder > "$product/programs/postinst.exe"
    echo placeholder > "$work/setup.exe"
    # One-megabyte files, half text-like and half noise, so the coder has work of both kinds.
    i=0
    while [ $i -lt "$mb" ]; do
        if [ $((i % 2)) -eq 0 ]; then
            base64 /dev/urandom | head -c 1048576 > "$product/payload/f$i.dat"
        else
            head -c 1048576 /dev/urandom > "$product/payload/f$i.dat"
        fi
        printf 'Installation Directory,payload\\f%s.dat\r\n' $i >> "$product/finstall.cfg"
        i=$((i + 1))
    done
    /usr/bin/time -v "$mksetup" build "$product" -o "$work/dist-$mb" --setup "$work/setup.exe" \
        2> "$work/time-$mb" > /dev/null
    rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time-$mb")
    secs=$(sed -n 's/.*Elapsed (wall clock) time.*: //p' "$work/time-$mb")
    echo "$mb MB payload: peak RSS $rss kB, $secs wall"
    rm -rf "$product" "$work/dist-$mb"
done
