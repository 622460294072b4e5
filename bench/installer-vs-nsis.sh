#!/bin/sh
# One run side by side on one payload: our distributions (mksetup build, lh5, lzma and lzma-solid) against the NSIS
# installer of the same files (makensis, zlib and solid lzma), the peer.
#   build:   wall time and peak memory of the build, the distribution's size (every file, setup.exe too);
#   install: the time of a silent install under Wine (/S), from the start of setup.exe to its end, both ours
#            and the peer's, the median of ROUNDS runs (default 5); ours also until its log says "Installing",
#            which is where the bootstrap's expansion of the set into the temporary folder ends and the placing
#            of the files begins.
# The figures end as ratios, ours over the peer's with the same coder family.
# The payload: the sample product with DLLs from Wine's i386 folder and texts (PAYLOAD_DLLS names the DLLs).
# Usage: bench/installer-vs-nsis.sh [NATIVE_BUILD] [WIN32_BUILD]   (defaults build/native, build/win32;
#        needs makensis, wine, Xvfb, /usr/bin/time; WIN32_BUILD must hold setup.exe and the sample-product
#        target's output)
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
native=$(cd "${1:-$root/build/native}" && pwd)
win32=$(cd "${2:-$root/build/win32}" && pwd)
dlls=/usr/lib/i386-linux-gnu/wine/i386-windows
PAYLOAD_DLLS=${PAYLOAD_DLLS:-"shell32 msxml3 windowscodecs kernelbase user32 ole32 comctl32 oleaut32 d2d1 msi"}
mksetup=$native/tools/mksetup/mksetup
setup=$win32/app/setup.exe
wine_run=$root/cmake/wine-run.sh
for file in "$mksetup" "$setup" "$win32/sample-product/programs/notes.exe"; do
    [ -e "$file" ] || { echo "installer-vs-nsis: $file is missing; build it first" >&2; exit 1; }
done
for tool in makensis wine winepath python3; do
    command -v $tool >/dev/null || { echo "installer-vs-nsis: $tool is not installed" >&2; exit 1; }
done
[ -x /usr/bin/time ] || { echo "installer-vs-nsis: /usr/bin/time is not installed" >&2; exit 1; }

work=$(mktemp -d)
# A prefix of its own, so the installs never meet another run's; winepath reads it too.
export SETUP_WINE_DIR=$work/wine WINEPREFIX=$work/wine/prefix WINEARCH=win32 WINEDEBUG=-all
trap 'wineserver -k 2>/dev/null || true; "$wine_run" --shutdown >/dev/null 2>&1 || true; rm -rf "$work"' EXIT

product=$work/product
cp -r "$win32/sample-product" "$product"
mkdir "$product/payload"
for name in $PAYLOAD_DLLS; do
    cp "$dlls/$name.dll" "$product/payload/"
    printf 'Installation Directory,payload,payload\\%s.dll\r\n' "$name" >> "$product/finstall.cfg"
done
for text in long.txt gpl2.txt; do
    cp "$root/../shared/testdata/lzh-peers/$text" "$product/payload/"
    printf 'Installation Directory,payload,payload\\%s\r\n' "$text" >> "$product/finstall.cfg"
done
payload=$(cat "$product"/payload/* | wc -c)

# measure NAME COMMAND...: wall seconds and peak resident kilobytes into $work/NAME.time.
measure() {
    name=$1
    shift
    /usr/bin/time -f "%e %M" -o "$work/$name.time" "$@" > "$work/$name.log" 2>&1 ||
        { echo "installer-vs-nsis: $name failed:" >&2; cat "$work/$name.log" >&2; exit 1; }
}
size_of() { cat "$@" | wc -c; }

for method in lh5 lzma lzma-solid; do
    measure "ours-$method" "$mksetup" build "$product" -o "$work/dist-$method" --setup "$setup" --method "$method"
    echo "$(size_of "$work/dist-$method"/*) $(ls "$work/dist-$method" | grep -c '^disk\.')" > "$work/ours-$method.size"
done

# The peer's script: every file of the product into the folder the installer is given (/D).
for compressor in zlib lzma; do
    setting=$compressor
    [ $compressor = lzma ] && setting="/SOLID lzma"
    cat > "$work/nsis-$compressor.nsi" <<EOF
SetCompressor $setting
Name "Bench"
OutFile "$work/nsis-$compressor.exe"
InstallDir "\$PROGRAMFILES\\Bench NSIS"
RequestExecutionLevel user
Section
  SetOutPath "\$INSTDIR"
  File /r "$product/*"
SectionEnd
EOF
    measure "nsis-$compressor" makensis -V1 "$work/nsis-$compressor.nsi"
    echo "$(size_of "$work/nsis-$compressor.exe") 1" > "$work/nsis-$compressor.size"
done

# The installs, in one prefix with a display; its server is started before the clock runs and kept.
# Every Wine process, winepath too, must see the display: the first one starts the prefix's desktop.
"$wine_run" --fresh >/dev/null
[ -n "${DISPLAY:-}" ] || { DISPLAY=$(cat "$SETUP_WINE_DIR/display"); export DISPLAY; }
wineserver -p
installed() { winepath -u "C:\\$1" 2>/dev/null; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }
# One install takes seconds and Wine's timing wanders by a quarter between runs: each installer runs ROUNDS
# times, in turns, each time into a folder of its own, and the median counts.
ROUNDS=${ROUNDS:-5}
install_ours() {
    method=$1 round=$2
    log=$work/install-$method-$round.log
    log_switch="/LOG=$(winepath -w "$log")"
    start=$(now_ms)
    # setup.exe looks for its set in the current directory, as when started from the distribution's folder.
    (cd "$work/dist-$method" && exec "$wine_run" "$work/dist-$method/setup.exe" /S "$log_switch" \
        "/D=C:\\ours-$method-$round") &
    run=$!
    # The log is written through at once, so its "Installing" line marks the end of the expansion.
    until grep -qs '^Installing ' "$log"; do
        kill -0 $run 2>/dev/null || break
        sleep 0.01
    done
    echo $(($(now_ms) - start)) >> "$work/first-ours-$method.ms"
    wait $run || { echo "installer-vs-nsis: our $method install failed:" >&2; cat "$log" >&2; exit 1; }
    echo $(($(now_ms) - start)) >> "$work/install-ours-$method.ms"
}
install_nsis() {
    compressor=$1 round=$2
    start=$(now_ms)
    "$wine_run" "$work/nsis-$compressor.exe" /S "/D=C:\\nsis-$compressor-$round"
    echo $(($(now_ms) - start)) >> "$work/install-nsis-$compressor.ms"
}
round=1
while [ $round -le "$ROUNDS" ]; do
    install_ours lh5 $round
    install_ours lzma $round
    install_ours lzma-solid $round
    install_nsis zlib $round
    install_nsis lzma $round
    round=$((round + 1))
done
for name in $PAYLOAD_DLLS; do
    for dir in ours-lh5 ours-lzma ours-lzma-solid nsis-zlib nsis-lzma; do
        cmp "$product/payload/$name.dll" "$(installed "$dir-$ROUNDS")/payload/$name.dll"
    done
done

python3 - "$work" "$payload" "$PAYLOAD_DLLS" "$ROUNDS" <<'PY'
import statistics, sys
work, payload, dlls, rounds = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4]
read = lambda name: open('%s/%s' % (work, name)).read().split()
median_ms = lambda name: statistics.median(int(ms) for ms in read(name))
rows = {}
for name in ('ours-lh5', 'ours-lzma', 'ours-lzma-solid', 'nsis-zlib', 'nsis-lzma'):
    secs, kb = read(name + '.time')
    size, disks = read(name + '.size')
    ms = median_ms('install-%s.ms' % name)
    rows[name] = dict(secs=float(secs), kb=int(kb), size=int(size), disks=int(disks), ms=ms)
for name in ('ours-lh5', 'ours-lzma', 'ours-lzma-solid'):
    rows[name]['first'] = median_ms('first-%s.ms' % name)
print('payload: %.1f MB (%s and two texts), beside the sample product; installs: the median of %s runs'
      % (payload / 1e6, dlls, rounds))
print('| | build s | build peak MB | size MB | disk files | silent install s | of which expansion s |')
print('|---|---|---|---|---|---|---|')
for name, row in rows.items():
    print('| %s | %.1f | %.0f | %.2f | %s | %.1f | %s |' % (name, row['secs'], row['kb'] / 1024, row['size'] / 1e6,
          row['disks'] if name.startswith('ours') else '-', row['ms'] / 1000,
          '%.1f' % (row['first'] / 1000) if 'first' in row else '-'))
print('sizes, bytes: ' + '; '.join('%s %d' % (name, row['size']) for name, row in rows.items()))
print('each install, in seconds: ' + '; '.join(
    '%s %s' % (name, ' '.join('%.1f' % (int(ms) / 1000) for ms in read('install-%s.ms' % name))) for name in rows))
# setup.exe expands the whole set into its temporary folder, then places the files: both are in its time,
# against the peer's single pass.
print('ratios, ours over the peer\'s:')
for ours, peer in (('ours-lzma-solid', 'nsis-lzma'), ('ours-lzma', 'nsis-lzma'), ('ours-lh5', 'nsis-zlib'),
                   ('ours-lh5', 'nsis-lzma')):
    o, p = rows[ours], rows[peer]
    print('  %s / %s: size %.3f, build time %.2f, build memory %.2f, install %.2f, install past the expansion %.2f'
          % (ours, peer, o['size'] / p['size'], o['secs'] / p['secs'], o['kb'] / p['kb'], o['ms'] / p['ms'],
             (o['ms'] - o['first']) / p['ms']))
PY
