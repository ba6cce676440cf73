# SPDX-License-Identifier: MIT
# bash completion for brelund-inspect, loaded on demand by bash-completion
# (installed as completions/brelund-inspect). Completes the options, and
# for each argument the files it can be: plug-ins, XML documents (plain or
# gzipped, as libxml2 reads both), pictures.

# XML documents and directories; any file when none matches, for a forecast
# may be named anything with a ".".
_brelund_inspect_xml() {
  _filedir '@(xml|xml.gz)'
  ((${#COMPREPLY[@]})) || _filedir
}

_brelund_inspect() {
  # shellcheck disable=SC2034 # words and cword are _init_completion's
  local cur prev words cword split
  _init_completion -s || return

  case $prev in
    -p | --plugin)
      _filedir so
      return
      ;;
    -H | --hourly)
      _brelund_inspect_xml
      return
      ;;
    -P | --plot)
      # The extension names the format.
      _filedir '@(svg|png|pdf)'
      return
      ;;
    -V | --version | -h | --help)
      return
      ;;
  esac
  $split && return

  if [[ $cur == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W \
      '--plugin --hourly --json --plot --check --version --help' -- "$cur")
    return
  fi
  # Forecast files: one, or any number after --check.
  _brelund_inspect_xml
} &&
  complete -F _brelund_inspect brelund-inspect
