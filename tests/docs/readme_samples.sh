#!/bin/sh
# SPDX-License-Identifier: MIT
# Runs the sample commands of a Markdown file (the README) and compares what
# they print with what the file shows.
#
# A sample is an indented code block whose first line starts with "$ ". Each
# "$ " line in it is a command; the lines up to the next one are what it
# prints, standard output and standard error together as a terminal shows
# them. A line "..." stands for lines left out: the lines shown between two
# of them must appear in that order and together, and without a "..." at the
# top (or bottom) the output must begin (or end) with the lines shown.
# Blocks that do not start with "$ " are never run.
#
# The commands of a file run in turn, with sh, in one scratch directory that
# holds a copy of examples/ and build/dev, a link to the build tree under
# test, with LC_ALL=C.UTF-8. Where the build tree's absolute path appears in
# the output, the file shows /home/you/tarnvale-brelund-source/build/dev.
#
# Usage: readme_samples.sh BUILD-DIR FILE.md [--update]
# --update rewrites the output of every sample that differs with all of what
# the command printed; trim it again with "..." where that is too long.
set -eu
build=$(cd "$1" && pwd -P)
doc=$2
update=${3:-}
examples=$(cd "$(dirname "$0")/../../examples" && pwd -P)
shown_build=/home/you/tarnvale-brelund-source/build/dev

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/run/build"
ln -s "$build" "$work/run/build/dev"
cp -r "$examples" "$work/run/examples"

# The samples: cmd.N and shown.N, and in "index" for each N the lines of the
# file its output takes (first, last; last < first when it shows none).
awk -v dir="$work" '
  function finish() {
    if (n && !(n in done)) printf "%d %d %d\n", n, first, last > (dir "/index")
    done[n] = 1
  }
  /^    \$ / {
    finish(); n++; in_block = 1; blanks = 0
    print substr($0, 7) > (dir "/cmd." n); close(dir "/cmd." n)
    printf "" > (dir "/shown." n)
    first = NR + 1; last = NR; next
  }
  in_block && /^[ \t]*$/ { blanks++; next }
  in_block && /^    / {
    for (; blanks > 0; blanks--) print "" > (dir "/shown." n)
    print substr($0, 5) > (dir "/shown." n)
    last = NR; next
  }
  { if (in_block) finish(); in_block = 0 }
  END { if (in_block) finish() }
' "$doc"
[ -f "$work/index" ] || { echo "no samples in $doc"; exit 1; }

# Whether the output (file 2) shows as the sample (file 1) has it.
matches() {
  awk '
    FNR == NR { shown[++s] = $0; next }
    { out[++o] = $0 }
    END {
      while (o > 0 && out[o] == "") o--
      # Segments between "..." lines, each to be found after the last.
      pos = 1; i = 1
      if (s == 0) exit (o == 0 ? 0 : 1)
      while (i <= s) {
        if (shown[i] == "...") { i++; continue }
        j = i; while (j <= s && shown[j] != "...") j++
        len = j - i
        anchored_top = (i == 1); anchored_end = (j > s)
        found = 0
        for (p = pos; p + len - 1 <= o; p++) {
          if (anchored_top && p != 1) break
          if (anchored_end && p + len - 1 != o) continue
          ok = 1
          for (k = 0; k < len; k++) if (out[p + k] != shown[i + k]) { ok = 0; break }
          if (ok) { found = 1; break }
        }
        if (!found) exit 1
        pos = p + len; i = j
      }
      exit 0
    }
  ' "$1" "$2"
}

failed=0
: > "$work/replace"
while read -r n first last; do
  cmd=$(cat "$work/cmd.$n")
  # Line-buffered output orders standard output and standard error as a
  # terminal would; ASan, if the build has it, tolerates the preloaded helper.
  (cd "$work/run" && ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0" \
    LC_ALL=C.UTF-8 stdbuf -oL -eL sh -c "$cmd" </dev/null 2>&1) |
    sed -e "s|$build|$shown_build|g" -e 's/[ \t]*$//' > "$work/out.$n" || true
  sed -e 's/[ \t]*$//' "$work/shown.$n" > "$work/shown-trimmed.$n"
  if ! matches "$work/shown-trimmed.$n" "$work/out.$n"; then
    failed=$((failed + 1))
    echo "$doc:$((first - 1)): \$ $cmd"
    echo "--- shown"
    cat "$work/shown.$n"
    echo "--- printed"
    cat "$work/out.$n"
    echo "---"
    echo "$n $first $last" >> "$work/replace"
  fi
done < "$work/index"

if [ "$update" = --update ] && [ "$failed" -gt 0 ]; then
  awk -v dir="$work" '
    function emit(n,   line, file) {
      file = dir "/out." n
      while ((getline line < file) > 0) print (line == "" ? "" : "    " line)
      close(file)
    }
    FNR == NR { from[$2] = $1; to[$2] = $3; next }
    FNR in from {
      emit(from[FNR]); done[FNR] = 1
      if (to[FNR] >= FNR) { skip = to[FNR]; next }
    }
    FNR <= skip { next }
    { print }
    END { for (k in from) if (!(k in done)) emit(from[k]) }
  ' "$work/replace" "$doc" > "$work/updated"
  cat "$work/updated" > "$doc"
  echo "updated $failed sample(s) in $doc: trim them with \"...\" where too long"
  exit 0
fi
[ "$failed" -eq 0 ] || { echo "$failed sample(s) in $doc differ from what the program prints"; exit 1; }
echo "every sample in $doc shows what its command prints"
