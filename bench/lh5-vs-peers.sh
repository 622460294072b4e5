#!/bin/sh
# Whole-command timings of the -lh5- codec against the other archivers, in one run on one corpus:
#   decoding: our command writing each file from its raw stream, against lhasa extracting the same
#             streams from the .lzh archive they were cut from;
#   encoding: our archive command (mksetup archive, which codes the files on one thread per core) and
#             our command coding each file alone, one after the other, against jlha archiving the same
#             files; with the sums of the coded member sizes.
# Our commands come from LH5_ENCODE ("CMD IN OUT") and LH5_DECODE ("CMD SIZE IN OUT"); by default
# mksetup's (compress --method lh5, expand --method lh5 --size N) when it is built, else lh5tool's.
# Usage: bench/lh5-vs-peers.sh [BUILD_DIR]   (default build/native; needs hyperfine, lhasa, jlha)
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/native}" && pwd)
dlls=/usr/lib/i386-linux-gnu/wine/i386-windows
corpus="$root/../shared/testdata/lzh-peers/long.txt $dlls/shell32.dll $dlls/user32.dll $dlls/comctl32.dll"

mksetup=$build/tools/mksetup/mksetup
if [ -z "${LH5_ENCODE:-}" ] || [ -z "${LH5_DECODE:-}" ]; then
    if [ -x "$mksetup" ] && "$mksetup" compress --help >/dev/null 2>&1; then
        LH5_ENCODE="$mksetup compress --method lh5"
        LH5_DECODE="$mksetup expand --method lh5 --size"
    else
        LH5_ENCODE="$build/bench/lh5tool c"
        LH5_DECODE="$build/bench/lh5tool d"
    fi
fi
[ -x "$mksetup" ] || { echo "lh5-vs-peers: build mksetup first ($mksetup)" >&2; exit 1; }
for tool in hyperfine lhasa jlha python3; do
    command -v $tool >/dev/null || { echo "lh5-vs-peers: $tool is not installed" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/in" "$work/ours" "$work/peer" "$work/coded" "$work/out-ours" "$work/out-peer"
for f in $corpus; do cp "$f" "$work/in/"; done
names=$(cd "$work/in" && ls | tr "\n" " ")
total=$(cat "$work/in"/* | wc -c)

# The reference streams: jlha's archive, and its member bodies cut out as raw streams.
(cd "$work/in" && jlha aq "$work/peer.lzh" $names)
python3 - "$work/peer.lzh" "$work/coded" <<'PY'
import struct, sys
data, at = open(sys.argv[1], 'rb').read(), 0
while at < len(data) and data[at] != 0:
    level = data[at + 20]
    packed, original = struct.unpack_from('<II', data, at + 7)
    size = struct.unpack_from('<H', data, at)[0] if level == 2 else data[at] + 2
    name = data[at + 22:at + 22 + data[at + 21]].decode() if level == 0 else None
    # Level 2 keeps the name in an extended header (type 1) after the base header.
    ext = at + 24
    while name is None:
        n = struct.unpack_from('<H', data, ext)[0]
        if data[ext + 2] == 1: name = data[ext + 3:ext + n].decode()
        ext += n
    body = data[at + size:at + size + packed]
    open('%s/%s.%d.lh5' % (sys.argv[2], name, original), 'wb').write(body)
    at += size + packed
PY

decode_ours="for f in $work/coded/*.lh5; do b=\${f##*/}; n=\${b%.lh5}; $LH5_DECODE \${n##*.} \$f $work/out-ours/\${n%.*}; done"
decode_peer="cd $work/out-peer && lhasa -xqf $work/peer.lzh"
encode_ours="for f in $work/in/*; do $LH5_ENCODE \$f $work/ours/\${f##*/}.lh5; done"
encode_peer="cd $work/in && rm -f $work/jlha.lzh && jlha aq $work/jlha.lzh $names"
encode_archive="cd $work/in && $mksetup archive -o $work/ours.arc --method lh5 $names"

hyperfine --warmup 1 --runs 5 --style basic --export-json "$work/decode.json" \
    -n ours "$decode_ours" -n lhasa "$decode_peer"
for f in $names; do cmp "$work/in/$f" "$work/out-ours/$f"; cmp "$work/in/$f" "$work/out-peer/$f"; done
hyperfine --warmup 1 --runs 5 --style basic --export-json "$work/encode.json" \
    -n ours-archive "$encode_archive" -n ours "$encode_ours" -n jlha "$encode_peer"

ours_size=$(cat "$work/ours"/*.lh5 | wc -c)
peer_size=$(cat "$work/coded"/*.lh5 | wc -c)
python3 - "$work" "$total" "$ours_size" "$peer_size" "$LH5_ENCODE" "$LH5_DECODE" <<'PY'
import json, sys
work, total, ours_size, peer_size = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
mean = lambda kind: {r['command']: r['mean'] for r in json.load(open('%s/%s.json' % (work, kind)))['results']}
d, e = mean('decode'), mean('encode')
mb = total / 1e6
print('\ncorpus: %d bytes (long.txt, shell32.dll, user32.dll, comctl32.dll)' % total)
print('our commands: "%s IN OUT", "%s SIZE IN OUT"' % (sys.argv[5], sys.argv[6]))
print('decode: ours %.1f MB/s, lhasa %.1f MB/s, ratio %.2f (target >= 1.5)'
      % (mb / d['ours'], mb / d['lhasa'], d['lhasa'] / d['ours']))
print('encode, whole command: ours (archive) %.3f s, jlha %.3f s, ours/jlha %.2f (target <= 0.33)'
      % (e['ours-archive'], e['jlha'], e['ours-archive'] / e['jlha']))
print('encode, one file at a time: ours %.3f s, ours/jlha %.2f' % (e['ours'], e['ours'] / e['jlha']))
print('coded size: ours %d, jlha %d, ours/jlha %.4f (target <= 1)' % (ours_size, peer_size, ours_size / peer_size))
PY
