#!/bin/sh
# Our installer against the NSIS installer of the same files (makensis), the peer, from one run, on two payloads:
#   large: the sample product with ten DLLs of Wine's i386 folder and two texts (PAYLOAD_DLLS names the DLLs);
#   small: one 150 KB text (the first 150,000 bytes of the shared long.txt) with the sample's screen.
# Ours: mksetup build with lh5 and lzma (distribution folders) and lzma-solid as one setup.exe (--single-file);
# the peer's: zlib and solid lzma, one installer each.
#   build:      wall time and peak memory, the distribution's size (every file, setup.exe too);
#   install:    a silent install under Wine (/S), from the start of the program to its end, the median of ROUNDS
#               runs (default 5) taken in turns; ours also until its log says "Installing", where the expansion
#               of the set into the temporary folder ends and the placing of the files begins;
#   first page: the small product started by hand, until its first page is on screen (ours: the welcome page's
#               Next button; the peer's: its first window, the directory page), the median of ROUNDS runs.
# Xvfb has no window manager, and Wine, told there is none ("Managed"=N), stops waiting for one: left to expect
# one, it holds each captioned window that is hidden for 2 s (setup.exe hides its expander's window).
# It ends with the goal table: every figure ours and the peer's, and the ratio.
# Usage: bench/installer-vs-nsis.sh [NATIVE_BUILD] [WIN32_BUILD]   (defaults build/native, build/win32;
#        needs makensis, wine, Xvfb, /usr/bin/time, i686-w64-mingw32-gcc; WIN32_BUILD must hold setup.exe and
#        the sample-product target's output)
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
for tool in makensis wine winepath python3 i686-w64-mingw32-gcc; do
    command -v $tool >/dev/null || { echo "installer-vs-nsis: $tool is not installed" >&2; exit 1; }
done
[ -x /usr/bin/time ] || { echo "installer-vs-nsis: /usr/bin/time is not installed" >&2; exit 1; }

work=$(mktemp -d)
# A prefix of its own, so the installs never meet another run's; winepath reads it too.
export SETUP_WINE_DIR=$work/wine WINEPREFIX=$work/wine/prefix WINEARCH=win32 WINEDEBUG=-all
trap 'wineserver -k 2>/dev/null || true; "$wine_run" --shutdown >/dev/null 2>&1 || true; rm -rf "$work"' EXIT

large=$work/large
cp -r "$win32/sample-product" "$large"
mkdir "$large/payload"
for name in $PAYLOAD_DLLS; do
    cp "$dlls/$name.dll" "$large/payload/"
    printf 'Installation Directory,payload,payload\\%s.dll\r\n' "$name" >> "$large/finstall.cfg"
done
for text in long.txt gpl2.txt; do
    cp "$root/../shared/testdata/lzh-peers/$text" "$large/payload/"
    printf 'Installation Directory,payload,payload\\%s\r\n' "$text" >> "$large/finstall.cfg"
done
payload=$(cat "$large"/payload/* | wc -c)
# The small product is one file and the sample's screen: no pictures, shortcuts, entries or programs to run.
small=$work/small
mkdir "$small"
head -c 150000 "$root/../shared/testdata/lzh-peers/long.txt" > "$small/notes.txt"
printf 'Installation Directory,notes.txt\r\n' > "$small/finstall.cfg"
sed -n '1,/^\[Autoexec.bat\]/p' "$win32/sample-product/install.cfg" |
    grep -v -E '^(\[Autoexec.bat\]|Logo File=|BitMap=|Launch Application=)' > "$small/install.cfg"

# measure NAME COMMAND...: wall seconds and peak resident kilobytes into $work/NAME.time.
measure() {
    name=$1
    shift
    /usr/bin/time -f "%e %M" -o "$work/$name.time" "$@" > "$work/$name.log" 2>&1 ||
        { echo "installer-vs-nsis: $name failed:" >&2; cat "$work/$name.log" >&2; exit 1; }
}
size_of() { cat "$@" | wc -c; }

# build NAME PRODUCT OPTIONS...: our distribution of a product of its own (its title is its entry's name: an
# install of the same product would remove the one before it, in the time measured).
build() {
    name=$1 product=$2
    shift 2
    rm -rf "$work/product-$name"
    cp -r "$product" "$work/product-$name"
    sed -i "s/^Text Line 1=Northwind Notes 2.0/Text Line 1=Bench $name/" "$work/product-$name/install.cfg"
    measure "$name" "$mksetup" build "$work/product-$name" -o "$work/dist-$name" --setup "$setup" "$@"
    echo "$(size_of "$work/dist-$name"/*) $(ls "$work/dist-$name" | grep -c '^disk\.')" > "$work/$name.size"
}
build ours-lh5 "$large" --method lh5
build ours-lzma "$large" --method lzma
build ours-lzma-solid "$large" --method lzma-solid --single-file
build ours-small "$small" --method lzma-solid --single-file

# The peer's script: every file of the product into the folder the installer is given (/D); started by hand it
# shows the directory page first.
peer() {
    name=$1 setting=$2 product=$3
    cat > "$work/$name.nsi" <<NSI
SetCompressor $setting
Name "Bench"
OutFile "$work/$name.exe"
InstallDir "\$PROGRAMFILES\\Bench NSIS"
RequestExecutionLevel user
Page directory
Page instfiles
Section
  SetOutPath "\$INSTDIR"
  File /r "$product/*"
SectionEnd
NSI
    measure "$name" makensis -V1 "$work/$name.nsi"
    echo "$(size_of "$work/$name.exe") 1" > "$work/$name.size"
}
peer nsis-zlib zlib "$large"
peer nsis-lzma "/SOLID lzma" "$large"
peer nsis-small "/SOLID lzma" "$small"
i686-w64-mingw32-gcc -O2 -o "$work/first-window.exe" "$root/bench/first-window.c"

# The installs, in one prefix with a display; its server is started before the clock runs and kept.
# Every Wine process, winepath too, must see the display: the first one starts the prefix's desktop.
"$wine_run" --fresh >/dev/null
[ -n "${DISPLAY:-}" ] || { DISPLAY=$(cat "$SETUP_WINE_DIR/display"); export DISPLAY; }
wineserver -p
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
installed() { winepath -u "C:\\$1" 2>/dev/null; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }
# One install takes seconds and Wine's timing wanders by a quarter between runs: each installer runs ROUNDS
# times, in turns, each time into a folder of its own, and the median counts.
ROUNDS=${ROUNDS:-5}
install_ours() {
    name=$1 round=$2
    log=$work/install-$name-$round.log
    log_switch="/LOG=$(winepath -w "$log")"
    start=$(now_ms)
    # setup.exe looks for its set in the current directory, as when started from the distribution's folder.
    (cd "$work/dist-$name" && exec "$wine_run" "$work/dist-$name/setup.exe" /S "$log_switch" "/D=C:\\$name-$round") &
    run=$!
    # The log is written through at once, so its "Installing" line marks the end of the expansion.
    until grep -qs '^Installing ' "$log"; do
        kill -0 $run 2>/dev/null || break
        sleep 0.01
    done
    echo $(($(now_ms) - start)) >> "$work/first-$name.ms"
    wait $run || { echo "installer-vs-nsis: $name install failed:" >&2; cat "$log" >&2; exit 1; }
    echo $(($(now_ms) - start)) >> "$work/install-$name.ms"
    # Its entry goes, so that the next round installs afresh rather than as an upgrade that first removes this one.
    entry=$(sed -n 's/^Uninstall entry \(.*\) \[UninstallString\].*/\1/p' "$log" | tr -d '\r')
    wine reg delete "$entry" /f >/dev/null 2>&1
}
install_nsis() {
    name=$1 round=$2
    start=$(now_ms)
    "$wine_run" "$work/$name.exe" /S "/D=C:\\$name-$round"
    echo $(($(now_ms) - start)) >> "$work/install-$name.ms"
}
# first_page NAME CONTROL PROGRAM: the time until the program's first page shows, as first-window.exe reports it.
first_page() {
    name=$1 control=$2 program=$3
    "$wine_run" "$work/first-window.exe" "$control" "$(winepath -w "$(dirname "$program")")" "$(winepath -w "$program")" |
        tr -d '\r' >> "$work/page-$name.ms" || { echo "installer-vs-nsis: $name showed no page" >&2; exit 1; }
}
round=1
while [ $round -le "$ROUNDS" ]; do
    for name in ours-lh5 ours-lzma ours-lzma-solid ours-small; do install_ours $name $round; done
    for name in nsis-zlib nsis-lzma nsis-small; do install_nsis $name $round; done
    first_page ours-small 1107 "$work/dist-ours-small/setup.exe"
    first_page nsis-small 0 "$work/nsis-small.exe"
    round=$((round + 1))
done
for name in $PAYLOAD_DLLS; do
    for dir in ours-lh5 ours-lzma ours-lzma-solid nsis-zlib nsis-lzma; do
        cmp "$large/payload/$name.dll" "$(installed "$dir-$ROUNDS")/payload/$name.dll"
    done
done
for dir in ours-small nsis-small; do cmp "$small/notes.txt" "$(installed "$dir-$ROUNDS")/notes.txt"; done

python3 - "$work" "$payload" "$PAYLOAD_DLLS" "$ROUNDS" <<'PY'
import statistics, sys
work, payload, dlls, rounds = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4]
read = lambda name: open('%s/%s' % (work, name)).read().split()
median_ms = lambda name: statistics.median(int(ms) for ms in read(name))
rows = {}
for name in ('ours-lh5', 'ours-lzma', 'ours-lzma-solid', 'nsis-zlib', 'nsis-lzma', 'ours-small', 'nsis-small'):
    secs, kb = read(name + '.time')
    size, disks = read(name + '.size')
    rows[name] = dict(secs=float(secs), kb=int(kb), size=int(size), disks=int(disks), ms=median_ms('install-%s.ms' % name))
    if name.startswith('ours'):
        rows[name]['first'] = median_ms('first-%s.ms' % name)
print('large payload: %.1f MB (%s and two texts), beside the sample product; small: one 150 KB text with the '
      'sample\'s screen; installs and first pages: the median of %s runs' % (payload / 1e6, dlls, rounds))
print('| | build s | build peak MB | size MB | disk files | silent install s | of which expansion s |')
print('|---|---|---|---|---|---|---|')
for name, row in rows.items():
    print('| %s | %.1f | %.0f | %.3f | %s | %.2f | %s |' % (name, row['secs'], row['kb'] / 1024, row['size'] / 1e6,
          row['disks'] if name.startswith('ours') else '-', row['ms'] / 1000,
          '%.2f' % (row['first'] / 1000) if 'first' in row else '-'))
print('sizes, bytes: ' + '; '.join('%s %d' % (name, row['size']) for name, row in rows.items()))
print('each install, in seconds: ' + '; '.join(
    '%s %s' % (name, ' '.join('%.2f' % (int(ms) / 1000) for ms in read('install-%s.ms' % name))) for name in rows))
pages = {name: median_ms('page-%s.ms' % name) / 1000 for name in ('ours-small', 'nsis-small')}
print('each first page, in seconds: ' + '; '.join(
    '%s %s' % (name, ' '.join('%.2f' % (int(ms) / 1000) for ms in read('page-%s.ms' % name))) for name in pages))
print('ratios, ours over the peer\'s:')
for ours, peer in (('ours-lzma', 'nsis-lzma'), ('ours-lh5', 'nsis-zlib')):
    o, p = rows[ours], rows[peer]
    print('  %s / %s: size %.3f, build time %.2f, build memory %.2f, install %.2f'
          % (ours, peer, o['size'] / p['size'], o['secs'] / p['secs'], o['kb'] / p['kb'], o['ms'] / p['ms']))
print()
print('| measure | ours | the peer\'s | ours / the peer\'s | goal |')
print('|---|---|---|---|---|')
def goal(what, o, p, unit, target, met):
    print('| %s | %s %s | %s %s | %.3f | %s (%s) |' % (what, o, unit, p, unit, float(o) / float(p), target,
                                                      'met' if met else 'not met'))
large, peer_large = rows['ours-lzma-solid'], rows['nsis-lzma']
small, peer_small = rows['ours-small'], rows['nsis-small']
goal('single-file size, large payload', '%.3f' % (large['size'] / 1e6), '%.3f' % (peer_large['size'] / 1e6), 'MB',
     '<= 1.00', large['size'] <= peer_large['size'])
goal('single-file size, one small file', '%.3f' % (small['size'] / 1e6), '%.3f' % (peer_small['size'] / 1e6), 'MB',
     '<= 2.5', small['size'] <= 2.5 * peer_small['size'])
goal('silent install, large payload', '%.2f' % (large['ms'] / 1000), '%.2f' % (peer_large['ms'] / 1000), 's',
     '<= 1.0', large['ms'] <= peer_large['ms'])
goal('silent install, one small file', '%.2f' % (small['ms'] / 1000), '%.2f' % (peer_small['ms'] / 1000), 's',
     '<= 1.0', small['ms'] <= peer_small['ms'])
o, p = pages['ours-small'], pages['nsis-small']
goal('start to first page, small product', '%.2f' % o, '%.2f' % p, 's', 'within max(3x, +0.4 s)',
     o <= max(3 * p, p + 0.4))
goal('build, large payload', '%.1f' % large['secs'], '%.1f' % peer_large['secs'], 's', '<= 0.5',
     large['secs'] <= 0.5 * peer_large['secs'])
PY
