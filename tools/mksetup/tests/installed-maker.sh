#!/usr/bin/env bash
# The maker as people get it, used from an empty folder outside the repository.
#
#   installed-maker.sh install BUILD_DIR VERSION   `cmake --install` of the native build into a scratch prefix
#   installed-maker.sh deb BUILD_DIR VERSION       its Debian package unpacked with dpkg-deb -x; its dependencies
#                                                  and man page
#   installed-maker.sh zip BUILD_DIR VERSION       the win32 build's zip; its mksetup.exe under Wine
#
# Each time the installed mksetup builds the installed sample without --setup; the distribution's setup.exe
# must be the installed one, byte for byte, and `mksetup --version` must print VERSION.
set -Eeuo pipefail
trap 'echo "installed-maker: line $LINENO failed: $BASH_COMMAND" >&2' ERR

mode=$1
build=$(cd "$2" && pwd)
version=$3
repo=$(cd "$(dirname "$0")/../../.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
  echo "installed-maker $mode: $*" >&2
  exit 1
}

# A Linux path as Windows programs under Wine see it.
winpath() { echo "Z:${1//\//\\}"; }

# The package of BUILD_DIR, made into the scratch folder; its name must carry the version.
make_package() {
  local generator=$1 file=$2
  cpack -G "$generator" --config "$build/CPackConfig.cmake" -B "$scratch/packages" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log" >&2; fail "cpack -G $generator failed"; }
  [ -f "$scratch/packages/$file" ] || fail "no $file; cpack wrote: $(ls "$scratch/packages")"
  echo "$scratch/packages/$file"
}

# check_maker SHARE_DIR SAMPLE COMMAND...: from an empty folder, COMMAND builds SAMPLE into dist and prints
# its version.
check_maker() {
  local share=$1 sample=$2
  shift 2
  mkdir "$scratch/work"
  cd "$scratch/work"
  "$@" build "$sample" -o dist || fail "$* build $sample -o dist failed"
  cmp "dist/setup.exe" "$share/setup.exe" || fail "dist/setup.exe is not the installed $share/setup.exe"
  local printed
  printed=$("$@" --version | tr -d '\r')
  [ "$printed" = "mksetup $version" ] || fail "--version printed '$printed', not 'mksetup $version'"
  echo "$* built the installed sample with the installed setup.exe; it is version $version"
}

# Every shared library mksetup needs must come from a package that the .deb depends on.
check_dependencies() {
  local deb=$1 program=$2 depends names library path package
  depends=$(dpkg-deb -f "$deb" Depends)
  [ -n "$depends" ] || fail "$deb declares no dependencies"
  names=" $(sed 's/ *([^)]*)//g; s/,/ /g' <<<"$depends") "
  for library in $(objdump -p "$program" | awk '$1 == "NEEDED" { print $2 }'); do
    path=$(ldd "$program" | awk -v l="$library" '$1 == l && $2 == "=>" { print $3 }')
    [ -n "$path" ] || fail "$library, which mksetup needs, is not on this machine"
    package=$(dpkg -S "$path" 2>/dev/null || dpkg -S "$(realpath "$path")") || fail "no package holds $path"
    package=${package%%:*}
    [[ $names == *" $package "* ]] || fail "mksetup needs $library from $package; Depends: $depends"
  done
  echo "Depends: $depends"
}

check_man_page() {
  local page=$1 text
  text=$(MANWIDTH=200 man -l "$page" 2>&1 | tr -s ' ') || fail "man -l $page failed: $text"
  grep -q "mksetup - make, list, verify and extract setup distributions" <<<"$text" || fail "$page has no NAME line: $text"
  grep -q "build" <<<"$text" || fail "$page does not mention the build command: $text"
  grep -q "$version" <<<"$text" || fail "$page does not carry version $version"
  echo "man -l renders $page"
}

case "$mode" in
  install)
    prefix=$scratch/prefix
    cmake --install "$build" --prefix "$prefix" --strip >"$scratch/install.log" 2>&1 ||
      { cat "$scratch/install.log" >&2; fail "cmake --install failed"; }
    check_maker "$prefix/share/mksetup" "$prefix/share/mksetup/sample" "$prefix/bin/mksetup"
    ;;
  deb)
    deb=$(make_package DEB "mksetup_${version}_$(dpkg --print-architecture).deb")
    root=$scratch/root
    dpkg-deb -x "$deb" "$root"
    check_dependencies "$deb" "$root/usr/bin/mksetup"
    check_man_page "$root/usr/share/man/man1/mksetup.1.gz"
    check_maker "$root/usr/share/mksetup" "$root/usr/share/mksetup/sample" "$root/usr/bin/mksetup"
    ;;
  zip)
    zip=$(make_package ZIP "mksetup-$version-win32.zip")
    (mkdir "$scratch/root" && cd "$scratch/root" && cmake -E tar xf "$zip")
    maker=$scratch/root/mksetup-$version-win32
    size=$(stat -c %s "$maker/mksetup.exe")
    [ "$size" -lt 3000000 ] || fail "mksetup.exe is $size bytes, not under 3 MB: is it stripped?"
    echo "mksetup.exe is $size bytes"
    wine_run=$repo/cmake/wine-run.sh
    check_maker "$maker" "$(winpath "$maker/sample")" "$wine_run" "$maker/mksetup.exe"
    listed=$("$wine_run" "$maker/mksetup.exe" list dist | tr -d '\r') || fail "mksetup.exe list dist failed"
    for file in notes.exe postinst.exe license.txt; do
      grep -q "$file" <<<"$listed" || fail "mksetup.exe list dist does not list $file: $listed"
    done
    echo "mksetup.exe lists the sample distribution"
    ;;
  *)
    fail "usage: installed-maker.sh install|deb|zip BUILD_DIR VERSION"
    ;;
esac
