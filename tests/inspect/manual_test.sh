#!/bin/sh
# The built manual page renders without a single warning, and every
# configured value was filled in.
set -eu
page=$1
if grep -n '@[A-Za-z_]*@' "$page"; then echo "unsubstituted names in $page"; exit 1; fi
if command -v mandoc >/dev/null; then
  report=$(mandoc -T lint -W warning "$page" 2>&1) || true
else
  report=$(groff -ww -z -mandoc "$page" 2>&1) || true
fi
[ -z "$report" ] || { echo "$report"; exit 1; }
echo "$page renders cleanly"
