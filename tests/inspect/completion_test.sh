#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The bash completion, run as bash-completion runs it: every option the
# inspector's --help lists is offered, short and long, only those a check
# takes after --check, and each argument is offered the files it can be.
# Arguments: the completion file, the inspector.
# Exit status 77 (skipped) without bash-completion.
completion=$1 inspect=$2
loader=/usr/share/bash-completion/bash_completion
[[ -f $loader ]] || { echo "bash-completion is not installed"; exit 77; }
# shellcheck disable=SC1090
source "$loader" && source "$completion" || exit 1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
touch today.xml hourly.xml.gz picture.png
mkdir maps

# offers WORD...: what completing the last word offers, one a line, sorted.
offers() {
  COMP_WORDS=("$@") COMP_CWORD=$(($# - 1)) COMP_LINE="$*" COMP_POINT=${#COMP_LINE} COMPREPLY=()
  _brelund_inspect brelund-inspect "${COMP_WORDS[-1]}" "${COMP_WORDS[-2]}"
  printf '%s\n' "${COMPREPLY[@]}" | sort
}
failed=0
# expect WANTED WORD...: completing offers exactly WANTED (words, sorted).
expect() {
  local wanted=$1 got
  shift
  got=$(offers "$@")
  [[ $got == "$(tr ' ' '\n' <<<"$wanted" | sort)" ]] ||
    { echo "'$*': offered [${got//$'\n'/ }], not [$wanted]"; failed=1; }
}
expect "--plot --plugin" brelund-inspect --pl
# bash splits --hourly=FILE at the "=".
expect "hourly.xml.gz maps today.xml" brelund-inspect --hourly ""
expect "hourly.xml.gz maps today.xml" brelund-inspect --hourly = ""
expect "hourly.xml.gz maps today.xml" brelund-inspect -H ""
expect "maps picture.png" brelund-inspect -j --plot ""
expect "maps picture.png" brelund-inspect -P ""
expect "today.xml" brelund-inspect --check hourly.xml.gz t
# A check takes only --json and --plugin (and files), however it was asked
# for; after --hourly or --plot, --check is a usage error and not offered.
expect "-j --json -p --plugin" brelund-inspect --check -
expect "--json --plugin" brelund-inspect -c today.xml --
expect "-j --json -p --plugin" brelund-inspect -jc -
expect "" brelund-inspect --hourly today.xml --c
expect "-H --hourly -P --plot -V --version -h --help -j --json -p --plugin" \
  brelund-inspect -P picture.png -
# --explain takes one of the codes, and nothing after it.
expect "no-days no-forecast no-location no-temperature" brelund-inspect --explain no-
expect "" brelund-inspect --explain no-days ""
expect "" brelund-inspect --explain no-days -
# A forecast with another name: every file when no XML file matches.
expect "picture.png" brelund-inspect pic

# Every option --help lists, short and long, and nothing else.
listed=$("$inspect" --help | grep -oE '^ +(-[a-zA-Z], )?--[a-z-]+' | grep -oE -- '-?-[a-zA-Z-]+')
[[ -n $listed ]] || { echo "no option in $inspect --help"; exit 1; }
expect "$(paste -sd ' ' <<<"$listed")" brelund-inspect -
((failed == 0)) && echo "the completion offers every option and the files each takes"
