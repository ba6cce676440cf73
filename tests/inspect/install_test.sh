#!/bin/sh
# SPDX-License-Identifier: MIT
# Installs into a temporary prefix and runs the installed inspector, which
# must load the installed plug-in.
set -eu
build=$1
examples=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
plugin=$(find "$prefix" -name libtarnvale-brelund-source.so)
[ -n "$plugin" ] || { echo "plug-in not installed"; exit 1; }
[ -f "$prefix/include/tarnvale-brelund-source.h" ] || { echo "header not installed"; exit 1; }
pc=$(find "$prefix" -name tarnvale-brelund-source.pc)
[ -n "$pc" ] || { echo "pkg-config file not installed"; exit 1; }
[ -f "$prefix/share/man/man1/brelund-inspect.1.gz" ] || { echo "manual page not installed"; exit 1; }
[ -f "$prefix/share/bash-completion/completions/brelund-inspect" ] ||
  { echo "bash completion not installed under the prefix"; exit 1; }
for guide in brelund-inspect/checks.md tarnvale-brelund-source-dev/hosts.md \
  tarnvale-brelund-source-dev/contract.md; do
  gzip -t "$prefix/share/doc/$guide.gz" || { echo "$guide.gz not installed"; exit 1; }
done
cp "$examples/skarvik.xml" "$prefix/STATION.xml"
# The installed program finds the installed plug-in on its own...
"$prefix/bin/brelund-inspect" --json "$prefix/STATION.xml" | grep -q '"station_latitude" : "69.6489"'
# ...and it really is that file: without it, loading fails.
mv "$plugin" "$plugin.away"
if "$prefix/bin/brelund-inspect" "$prefix/STATION.xml" 2>/dev/null; then
  echo "the installed inspector did not use the installed plug-in"; exit 1
fi
mv "$plugin.away" "$plugin"
grep -q '^plugindir=' "$pc"
echo "installed and inspected under $prefix"
