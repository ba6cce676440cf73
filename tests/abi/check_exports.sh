#!/bin/sh
# SPDX-License-Identifier: MIT
# The plug-in's dynamic symbol table holds the nine functions and nothing else.
set -eu
expected="free_fields
get_station_weather_data
hash_brelund_table_find
hash_description_brelund_table_create
hash_icons_brelund_table_create
parse_xml_data
parse_xml_detail_data
source_destroy
source_init"
actual=$(nm -D --defined-only "$1" | awk '{print $3}' | sort)
if [ "$actual" != "$expected" ]; then
  echo "exported symbols differ from the nine functions:"
  printf '%s\n' "$actual"
  exit 1
fi
# Each of them is a function (T), not data.
nm -D --defined-only "$1" | awk '$2 != "T" { print "not a function: " $3; bad = 1 } END { exit bad }'
