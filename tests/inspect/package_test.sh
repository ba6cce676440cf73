#!/bin/sh
# SPDX-License-Identifier: MIT
# Builds the Debian package of this build tree with its CPack configuration,
# checks what it holds and what it depends on, unpacks it into a scratch
# directory and runs the unpacked inspector, which must load the unpacked
# plug-in.
# Arguments: build directory, examples directory, version, then the install
# paths the package must hold: prefix, bin dir, plug-in dir, include dir,
# pkg-config dir, man page dir (all absolute).
set -eu
build=$1 examples=$2 version=$3 prefix=$4 bindir=$5 plugindir=$6 includedir=$7 pcdir=$8 mandir=$9
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "$*"; exit 1; }

for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup-debian installs it)"
done
# Packages into the scratch directory only: the build tree is left as it was.
if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1
then
  cat "$scratch/cpack.log"; fail "cpack failed"
fi
set -- "$scratch"/out/*.deb
[ $# -eq 1 ] && [ -f "$1" ] || fail "expected one .deb, found: $*"
deb=$1

dpkg-deb -c "$deb" | awk '{ print $NF }' | sed 's#^\.##' >"$scratch/contents"
for file in "$bindir/brelund-inspect" "$plugindir/libtarnvale-brelund-source.so" \
  "$includedir/tarnvale-brelund-source.h" "$pcdir/tarnvale-brelund-source.pc" \
  "$mandir/man1/brelund-inspect.1"; do
  grep -qxF "$file" "$scratch/contents" || { cat "$scratch/contents"; fail "$file is not in the package"; }
done
case $(dpkg-deb -f "$deb" Package) in tarnvale-brelund-source) ;; *) fail "wrong package name" ;; esac
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version is not $version"
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no maintainer"
[ -n "$(dpkg-deb -f "$deb" Description)" ] || fail "no description"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libglib2.0 libxml2; do
  case $depends in *"$library"*) ;; *) fail "Depends lacks $library: $depends" ;; esac
done

root=$scratch/root
dpkg-deb -x "$deb" "$root"
# The plug-in renames STATION.xml.new over STATION.xml: run on a copy.
cp "$examples/skarvik.xml" "$scratch/STATION.xml"
inspect=$root$bindir/brelund-inspect
"$inspect" --version | grep -qxF "plug-in: $root$plugindir/libtarnvale-brelund-source.so" ||
  fail "the unpacked inspector would not load the unpacked plug-in: $("$inspect" --version)"
"$inspect" --json "$scratch/STATION.xml" 2>/dev/null >"$scratch/out.json" ||
  fail "the unpacked inspector could not read the example"
grep -q '"station_latitude" : "69.6489"' "$scratch/out.json" || fail "wrong output"
grep -q "$version" "$root$mandir/man1/brelund-inspect.1" || fail "the man page lacks the version"
echo "packaged, unpacked and inspected: $(basename "$deb")"
