#!/bin/sh
# SPDX-License-Identifier: MIT
# Builds the Debian packages of this build tree with its CPack configuration,
# checks what each holds (the guides the man page names among it) and
# depends on, runs lintian on them, unpacks them into a scratch directory
# and runs the unpacked inspector, which must load the unpacked plug-in.
# Arguments: build directory, examples directory, package version, then the
# install paths (absolute): bin dir, plug-in dir, include dir, pkg-config dir,
# man page dir; last "yes" to run lintian, or why the tree is not linted.
set -eu
build=$1 examples=$2 version=$3 bindir=$4 plugindir=$5 includedir=$6 pcdir=$7 mandir=$8 lint=$9
plugin=tarnvale-brelund-source dev=tarnvale-brelund-source-dev inspector=brelund-inspect
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
debs=$(cd "$scratch/out" && ls ./*.deb | sort)
expected=$(printf './%s_%s_%s.deb\n' "$inspector" "$version" "$(dpkg --print-architecture)" \
  "$plugin" "$version" "$(dpkg --print-architecture)" \
  "$dev" "$version" "$(dpkg --print-architecture)" | sort)
[ "$debs" = "$expected" ] || fail "expected packages: $expected; built: $debs"
deb() { echo "$scratch/out/$1_${version}_$(dpkg --print-architecture).deb"; }

# holds PACKAGE FILE...: the package holds these files, its copyright and
# its changelog.
holds() {
  package=$1; shift
  dpkg-deb -c "$(deb "$package")" | awk '{ print $NF }' | sed 's#^\.##' >"$scratch/contents"
  for file in "$@" "${mandir%/man}/doc/$package/copyright" \
    "${mandir%/man}/doc/$package/changelog.Debian.gz"
  do
    grep -qxF "$file" "$scratch/contents" || { cat "$scratch/contents"; fail "$file is not in $package"; }
  done
  [ -n "$(dpkg-deb -f "$(deb "$package")" Maintainer)" ] || fail "$package: no maintainer"
}
docdir=${mandir%/man}/doc
holds "$plugin" "$plugindir/libtarnvale-brelund-source.so"
holds "$dev" "$includedir/tarnvale-brelund-source.h" "$pcdir/tarnvale-brelund-source.pc" \
  "$docdir/$dev/hosts.md.gz" "$docdir/$dev/contract.md.gz"
holds "$inspector" "$bindir/brelund-inspect" "$mandir/man1/brelund-inspect.1.gz" \
  "${mandir%/man}/bash-completion/completions/brelund-inspect" "$docdir/$inspector/checks.md.gz"

# depends PACKAGE [!]NAME...: its Depends names (or, with !, never names) each.
depends() {
  package=$1; shift
  field=$(dpkg-deb -f "$(deb "$package")" Depends)
  for name in "$@"; do
    case "$name" in
      !*) case "$field" in *"${name#!}"*) fail "$package depends on ${name#!}: $field" ;; esac ;;
      *) case "$field" in *"$name"*) ;; *) fail "$package: Depends lacks $name: $field" ;; esac ;;
    esac
  done
}
# The host loads the plug-in; what only the inspector uses stays out of it.
depends "$plugin" libglib2.0 libxml2 '!json-glib' '!cairo' '!pango' '!brelund-inspect'
depends "$dev" "$plugin (= $version)" libglib2.0-dev
depends "$inspector" "$plugin (= $version)" libjson-glib
# Upgrading from 0.1.0, whose one package held the files these two hold now.
for package in "$dev" "$inspector"; do
  for field in Breaks Replaces; do
    [ "$(dpkg-deb -f "$(deb "$package")" $field)" = "$plugin (<< 0.2.0)" ] ||
      fail "$package: $field is not $plugin (<< 0.2.0)"
  done
done

# Every package, as Debian's lintian judges it at its strictest: not a line
# to say, down to informational and pedantic hints.
if [ "$lint" != yes ]; then
  echo "lintian not run: $lint"
elif ! command -v lintian >/dev/null; then
  echo "lintian not run: not installed (scripts/setup-debian installs it)"
else
  lintian --allow-root -I --pedantic "$scratch"/out/*.deb >"$scratch/lintian.log" 2>&1 || true
  cat "$scratch/lintian.log"
  [ ! -s "$scratch/lintian.log" ] || fail "lintian -I --pedantic reports the lines above"
  echo "lintian -I --pedantic: nothing to report"
fi

root=$scratch/root
for package in "$plugin" "$dev" "$inspector"; do dpkg-deb -x "$(deb "$package")" "$root"; done
# The plug-in renames STATION.xml.new over STATION.xml: run on a copy.
cp "$examples/skarvik.xml" "$scratch/STATION.xml"
inspect=$root$bindir/brelund-inspect
"$inspect" --version | grep -qxF "plug-in: $root$plugindir/libtarnvale-brelund-source.so" ||
  fail "the unpacked inspector would not load the unpacked plug-in: $("$inspect" --version)"
"$inspect" --json "$scratch/STATION.xml" 2>/dev/null >"$scratch/out.json" ||
  fail "the unpacked inspector could not read the example"
grep -q '"station_latitude" : "69.6489"' "$scratch/out.json" || fail "wrong output"
gzip -dc "$root$mandir/man1/brelund-inspect.1.gz" | grep -q "${version%-*}" ||
  fail "the man page lacks the version"
# Each guide the man page names is installed there, and is the document of
# the source tree.
gzip -dc "$root$mandir/man1/brelund-inspect.1.gz" | sed -n 's#^\.Pa \(/.*\.md\.gz\).*#\1#p' |
  sort -u >"$scratch/guides"
[ "$(wc -l <"$scratch/guides")" -eq 3 ] || fail "the man page names these guides: $(cat "$scratch/guides")"
while read -r guide; do
  gzip -dc "$root$guide" | cmp -s - "$examples/../docs/$(basename "$guide" .gz)" ||
    fail "the man page names $guide, which the packages do not hold as it is in docs/"
done <"$scratch/guides"
echo "packaged, unpacked and inspected: $(cd "$scratch/out" && echo *.deb)"
