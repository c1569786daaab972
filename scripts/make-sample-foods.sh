#!/usr/bin/env bash
# Builds the shipped sample food table data/master/食品.FDB (and 食品.IDX beside it) from MEXT's
# own Excel files of the composition table (main table, fatty acids, dietary fibre), keeping the
# foods listed in scripts/sample-foods.txt.
#   scripts/make-sample-foods.sh [DATA_FOLDER] [DALMORA_TOOL]
# DATA_FOLDER holds mext2023/ with the three workbooks (default: ../shared/data beside the
# checkout); DALMORA_TOOL defaults to the default build's tool. The table's date is fixed so that
# a rebuild from the same input gives the same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."
data=${1:-../shared/data}
tool=${2:-build/default/bin/dalmora}
main="$data/mext2023/20260327-mxt_kagsei-mext-000029402_02.xlsx"
fatty="$data/mext2023/20260327-mxt_kagsei-mext-000029402_09.xlsx"
fibre="$data/mext2023/fibre-2020-annex1.xlsx"

for f in "$main" "$fatty" "$fibre"; do
  if [[ ! -f "$f" ]]; then
    echo "make-sample-foods: $f not found" >&2
    exit 1
  fi
done
if [[ ! -x "$tool" ]]; then
  echo "make-sample-foods: build the tool first (cmake --preset default && cmake --build --preset default)" >&2
  exit 1
fi

mkdir -p data/master
# The sample holds official foods only: --replace, so that nothing of an earlier sample stays.
DALMORA_TODAY=2026-01-01 "$tool" foods import-mext "$main" \
  --fatty-acids "$fatty" \
  --fibre "$fibre" \
  --only scripts/sample-foods.txt \
  --replace \
  --out "data/master/食品.FDB"
