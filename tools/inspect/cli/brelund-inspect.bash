# SPDX-License-Identifier: MIT
# bash completion for brelund-inspect, loaded on demand by bash-completion
# (installed as completions/brelund-inspect). Completes the options, short
# and long, and for each argument the files it can be: plug-ins, XML
# documents (plain or gzipped, as libxml2 reads both), pictures. With
# --check only what a check takes is offered, and --check only where it may
# still be given.

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
    # A check takes neither --hourly nor --plot, and neither goes with a
    # check: each is a usage error.
    local word check=offer options='-p --plugin -j --json'
    for word in "${words[@]:1:cword-1}"; do
      case $word in
        -c | --check | -*([jVh])c*([jcVh])) check=given ;;
        -H | --hourly | --hourly=* | -P | --plot | --plot=*) [[ $check == given ]] || check=no ;;
      esac
    done
    [[ $check == given ]] || options+=' -H --hourly -P --plot -V --version -h --help'
    [[ $check == offer ]] && options+=' -c --check'
    mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
    return
  fi
  # Forecast files: one, or any number after --check.
  _brelund_inspect_xml
} &&
  complete -F _brelund_inspect brelund-inspect
