#!/usr/bin/env bash
# Builds the shipped dish tables data/master/料理.DBF and data/master/料理分類.DBF from the dish
# list scripts/dishes.txt, resolving its food codes against the shipped food table
# data/master/食品.FDB.
#   scripts/make-dishes.sh [DALMORA_TOOL] [OUTPUT_FOLDER]
# DALMORA_TOOL defaults to the default build's tool, OUTPUT_FOLDER to data/master. The tables'
# date is fixed so that a rebuild from the same list gives the same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."
tool=${1:-build/default/bin/dalmora}
out=${2:-data/master}

if [[ ! -x "$tool" ]]; then
  echo "make-dishes: build the tool first (cmake --preset default && cmake --build --preset default)" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/data" "$work/config" "$out"
cp "data/master/食品.FDB" "data/master/食品.IDX" "$work/data/"
DALMORA_TODAY=2026-01-01 "$tool" --config-dir "$work/config" --data-dir "$work/data" \
  dishes import scripts/dishes.txt
cp "$work/data/料理.DBF" "$work/data/料理分類.DBF" "$out/"
