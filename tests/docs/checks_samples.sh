#!/bin/sh
# SPDX-License-Identifier: MIT
# Keeps docs/checks.md true: every sample (an ```xml block followed by a
# plain ``` block) is written to a scratch doc.xml and checked with
# `brelund-inspect --check doc.xml` there, which must print exactly the
# plain block and exit 7 (0 when its last line names no error and no
# warning). A sample may carry a second document, an ```xml doc.xml.new
# block right after its ```xml block, written beside doc.xml as the staged
# doc.xml.new that the next refresh would read.
# A section per code, "## `code`", in the inspector's order (the table of
# tools/inspect/check/codes.cpp), each showing its own code, and a row per
# code in the page's table, with the code's severity, so that a code added
# without its entry fails.
#
# Usage: checks_samples.sh BUILD-DIR CHECKS.md
set -eu
build=$(cd "$1" && pwd -P)
doc=$2
codes=$(dirname "$0")/../../tools/inspect/check/codes.cpp
# A path, not a document, shows long-path; plugin-differs takes a plug-in of
# another version than the inspector's readers.
unshown="long-path plugin-differs"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The samples: doc.N, shown.N, new.N for a staged doc.xml.new, and in
# "index" for each N its section's code ("-" outside a code's section) and
# the line its document starts on. A doc.xml.new block anywhere but right
# after a sample's doc.xml block is listed in "misplaced".
awk -v dir="$work" '
  /^## / { code = "-"; if (match($0, /^## `[a-z-]+`$/)) code = substr($0, 5, RLENGTH - 5) }
  block == "" && /^```xml$/ { block = "doc"; n++; start = NR + 1; last = "doc"
                              printf "" > (dir "/doc." n); next }
  block == "" && /^```xml doc\.xml\.new$/ {
    if (last != "doc") print NR > (dir "/misplaced")
    else { block = "new"; last = "new"; printf "" > (dir "/new." n); next } }
  block == "" && /^```$/ && n > 0 && !(n in shown) {
    block = "shown"; shown[n] = 1; last = "shown"; printf "" > (dir "/shown." n)
    printf "%d %s %d\n", n, code, start > (dir "/index"); next }
  block == "" && /^```/ { block = "other"; last = "other"; next }
  block != "" && /^```$/ { block = ""; next }
  block == "doc" || block == "new" || block == "shown" { print > (dir "/" block "." n) }
' "$doc"
[ -f "$work/index" ] || { echo "no samples in $doc"; exit 1; }

failed=0
fail() { echo "$doc: $*"; failed=$((failed + 1)); }

if [ -f "$work/misplaced" ]; then
  while read -r line; do
    fail "the doc.xml.new block at line $line does not follow a sample's doc.xml block"
  done < "$work/misplaced"
fi

while read -r n code start; do
  mkdir "$work/run.$n"
  cp "$work/doc.$n" "$work/run.$n/doc.xml"
  if [ -f "$work/new.$n" ]; then cp "$work/new.$n" "$work/run.$n/doc.xml.new"; fi
  status=0
  (cd "$work/run.$n" && LC_ALL=C.UTF-8 "$build/brelund-inspect" --check doc.xml) \
    >"$work/out.$n" 2>&1 </dev/null || status=$?
  expected=7
  tail -n 1 "$work/shown.$n" | grep -Eq '(error|warning)s?(,|$)' || expected=0
  if ! cmp -s "$work/shown.$n" "$work/out.$n"; then
    fail "the sample at line $start prints otherwise"
    echo "--- shown"; cat "$work/shown.$n"; echo "--- printed"; cat "$work/out.$n"; echo "---"
  elif [ "$status" -ne "$expected" ]; then
    fail "the sample at line $start exits $status, not $expected"
  fi
  if [ "$code" != - ] && ! grep -q "\[$code\]\$" "$work/shown.$n"; then
    fail "the sample at line $start, under $code, does not show [$code]"
  fi
done < "$work/index"

# The codes, in order, with their severities: as the inspector has them,
# as the table rows give them, and as the sections come.
sed -n 's/.*CodeInfo{Code::k[A-Za-z]*, "\([a-z-]*\)", k\([A-Za-z]*\)}.*/\1 \2/p' "$codes" |
  tr 'A-Z' 'a-z' > "$work/severities"
cut -d' ' -f1 "$work/severities" > "$work/codes"
[ -s "$work/codes" ] || fail "no codes found in $codes"
sed -n 's/^| \[`\([a-z-]*\)`\](#[a-z-]*) | \([a-z]*\) |.*/\1 \2/p' "$doc" > "$work/rows"
if ! cmp -s "$work/severities" "$work/rows"; then
  fail "the table's rows are not the inspector's codes and severities in its order (< codes, > rows):"
  diff "$work/severities" "$work/rows" || true
fi
sed -n 's/^## `\([a-z-]*\)`$/\1/p' "$doc" > "$work/sections"
if ! cmp -s "$work/codes" "$work/sections"; then
  fail "the sections are not the inspector's codes in its order (< codes, > sections):"
  diff "$work/codes" "$work/sections" || true
fi
while read -r code; do
  case " $unshown " in *" $code "*) continue ;; esac
  awk -v c="$code" '$2 == c { found = 1 } END { exit !found }' "$work/index" ||
    fail "the section of $code has no sample"
done < "$work/codes"

[ "$failed" -eq 0 ] || { echo "$failed problem(s) in $doc"; exit 1; }
echo "every code of $doc has its section, and every sample shows what --check prints"
