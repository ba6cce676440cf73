#!/bin/sh
# SPDX-License-Identifier: MIT
# The host of docs/hosts.md: the code shown there is docs/examples/host.c as
# it is; it compiles against the installed header with the installed
# pkg-config file's flags, reads a forecast, refuses a bare file name, and,
# under valgrind when there is one, leaks nothing and touches nothing it
# should not.
# Usage: host_test.sh BUILD-DIR SOURCE-DIR C-COMPILER [EXTRA-CFLAGS]
set -eu
build=$1
source=$2
cc=$3
extra=${4:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# What hosts.md shows: the fenced block after the line naming the file.
awk '/^<!-- docs\/examples\/host.c -->$/ { found = 1; next }
     found == 1 && /^```c$/ { found = 2; next }
     found == 2 && /^```$/ { exit }
     found == 2 { print }' "$source/docs/hosts.md" > "$work/shown.c"
if ! cmp -s "$work/shown.c" "$source/docs/examples/host.c"; then
  echo "docs/hosts.md does not show docs/examples/host.c as it is:"
  diff -u "$source/docs/examples/host.c" "$work/shown.c" || true
  exit 1
fi

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
pc=$(find "$prefix" -name tarnvale-brelund-source.pc)
plugin=$(find "$prefix" -name libtarnvale-brelund-source.so)
# The file names the configured prefix; this install's is the scratch one.
mkdir "$work/pkgconfig"
sed "s|^prefix=.*|prefix=$prefix|" "$pc" > "$work/pkgconfig/tarnvale-brelund-source.pc"
flags=$(PKG_CONFIG_PATH=$work/pkgconfig pkg-config --cflags --libs tarnvale-brelund-source)
# Nothing of the source tree: only the installed header and what pkg-config gives.
# shellcheck disable=SC2086
"$cc" -Wall -Wextra -Werror $extra -o "$work/host" "$source/docs/examples/host.c" $flags

run=""
if [ -z "$extra" ] && command -v valgrind >/dev/null; then
  run="valgrind -q --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite,indirect
    --suppressions=$source/tests/valgrind.supp"
fi
mkdir "$work/forecasts"
cp "$source/examples/skarvik.xml" "$work/forecasts/skarvik.xml"
# shellcheck disable=SC2086
$run "$work/host" "$plugin" "$work/forecasts/skarvik.xml" > "$work/out" 2> "$work/err" || {
  echo "the host failed ($?):"; cat "$work/out" "$work/err"; exit 1
}
grep -qx "10 days" "$work/out" && grep -qx "Dec 11 Tåke" "$work/out" || {
  echo "unexpected output:"; cat "$work/out"; exit 1
}
# A name without a "/" is refused: -1, nothing stored, nothing to release.
status=0
(cd "$work/forecasts" && $run "$work/host" "$plugin" skarvik.xml) > "$work/out" 2> "$work/err" ||
  status=$?
[ "$status" -eq 1 ] && grep -qx -- "-1 days" "$work/out" || {
  echo "a bare file name was not refused ($status):"; cat "$work/out" "$work/err"; exit 1
}
echo "the host of docs/hosts.md builds against the installed header and runs${run:+ valgrind-clean}"
