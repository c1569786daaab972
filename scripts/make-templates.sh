#!/usr/bin/env bash
# Writes the empty tables shipped in data/master (体重.DBF, 運動.DBF, 所要量.DBF, ﾕｰｻﾞ情報.DBF)
# with the dalmora tool, so that their fields are exactly the ones the program uses.
#   scripts/make-templates.sh [PATH-TO-DALMORA]     (default: build/default/bin/dalmora)
set -euo pipefail
cd "$(dirname "$0")/.."
tool=${1:-build/default/bin/dalmora}

for table in 体重.DBF 運動.DBF 所要量.DBF ﾕｰｻﾞ情報.DBF; do
  rm -f "data/master/$table"
done
"$tool" --data-dir data/master users templates
