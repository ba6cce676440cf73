#!/bin/sh
# SPDX-License-Identifier: MIT
# The host of docs/hosts.md: the code shown there is docs/examples/host.c as
# it is; it compiles against the installed header with the installed
# pkg-config file's flags, reads a forecast, refuses a bare file name, and,
# under valgrind when there is one, leaks nothing and touches nothing it
# should not. The lines hosts.md shows for a build tree build and run it
# against this build, uninstalled.
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
# Against this build, not installed: the lines hosts.md shows, run in a copy
# of the source tree whose build/dev is this build, with the compiler
# checking as above. pkg-config takes the build tree's -uninstalled.pc: the
# source tree's header and the plug-in just built.
awk '/^<!-- build tree: / { found = 1; next }
     found && /^    / { print substr($0, 5); next }
     found { exit }' "$source/docs/hosts.md" > "$work/lines.sh"
[ -s "$work/lines.sh" ] || { echo "docs/hosts.md shows no lines for a build tree"; exit 1; }
tree=$work/tree
mkdir -p "$tree/build" "$tree/docs/examples" "$tree/examples" "$work/bin"
ln -s "$build" "$tree/build/dev"
cp "$source/docs/examples/host.c" "$tree/docs/examples/host.c"
cp "$source/examples/skarvik.xml" "$tree/examples/skarvik.xml"
printf '#!/bin/sh\nexec %s -Wall -Wextra -Werror %s "$@"\n' "$cc" "$extra" > "$work/bin/cc"
chmod +x "$work/bin/cc"
(cd "$tree" && PATH="$work/bin:$PATH" sh -e "$work/lines.sh") > "$work/out" 2> "$work/err" || {
  echo "the lines docs/hosts.md shows for a build tree failed:"; cat "$work/lines.sh" "$work/err"
  exit 1
}
grep -qx "10 days" "$work/out" && grep -qx "Dec 11 Tåke" "$work/out" || {
  echo "unexpected output against the build tree:"; cat "$work/out"; exit 1
}
uninstalled() { (cd "$tree" && PKG_CONFIG_PATH=build/dev pkg-config "$@" tarnvale-brelund-source); }
case " $(uninstalled --cflags) " in
  *" -I$source/include "*) ;;
  *) echo "the build tree's pkg-config file names another header: $(uninstalled --cflags)"; exit 1 ;;
esac
plugindir=$(uninstalled --variable=plugindir)
[ "$plugindir" = "$build" ] || { echo "the build tree's plugindir is $plugindir"; exit 1; }
# shellcheck disable=SC2086
(cd "$tree" && $run ./host "$plugindir/libtarnvale-brelund-source.so" examples/skarvik.xml) \
  > "$work/out" 2> "$work/err" || { echo "the host failed ($?):"; cat "$work/out" "$work/err"; exit 1; }
echo "the host of docs/hosts.md builds against the installed header, and against the build tree," \
  "and runs${run:+ valgrind-clean}"
