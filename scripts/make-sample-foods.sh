#!/usr/bin/env bash
# Builds the shipped sample food table data/master/食品.FDB (and 食品.IDX beside it) from the
# official composition table as CSV, keeping the foods listed in scripts/sample-foods.txt.
#   scripts/make-sample-foods.sh [DATA_FOLDER] [DALMORA_TOOL]
# DATA_FOLDER holds mext2020/main.csv and mext2020/fatty-acids.csv (default: ../shared/data
# beside the checkout); DALMORA_TOOL defaults to the default build's tool. The table's date is
# fixed so that a rebuild from the same input gives the same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."
data=${1:-../shared/data}
tool=${2:-build/default/bin/dalmora}

if [[ ! -f "$data/mext2020/main.csv" ]]; then
  echo "make-sample-foods: $data/mext2020/main.csv not found" >&2
  exit 1
fi
if [[ ! -x "$tool" ]]; then
  echo "make-sample-foods: build the tool first (cmake --preset default && cmake --build --preset default)" >&2
  exit 1
fi

mkdir -p data/master
DALMORA_TODAY=2026-01-01 "$tool" foods import-mext "$data/mext2020/main.csv" \
  --fatty-acids "$data/mext2020/fatty-acids.csv" \
  --only scripts/sample-foods.txt \
  --out "data/master/食品.FDB"
