#!/bin/sh
# SPDX-License-Identifier: MIT
# The built manual page renders without a single warning, and every
# configured value was filled in.
set -eu
page=$1
if grep -n '@[A-Za-z_]*@' "$page"; then echo "unsubstituted names in $page"; exit 1; fi
# mandoc checks the markup; groff, which man uses, also reports lines it
# cannot break on a terminal.
checked=
if command -v mandoc >/dev/null; then
  report=$(mandoc -T lint -W warning "$page" 2>&1) || true
  [ -z "$report" ] || { echo "$report"; exit 1; }
  checked=1
fi
if command -v groff >/dev/null; then
  report=$(groff -ww -z -Tutf8 -mandoc "$page" 2>&1) || true
  [ -z "$report" ] || { echo "$report"; exit 1; }
  checked=1
fi
[ -n "$checked" ] || { echo "neither mandoc nor groff is installed"; exit 1; }
echo "$page renders cleanly"
