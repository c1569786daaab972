#!/usr/bin/env python3
"""Writes the shipped exercise item table RMR.DBF and basal metabolism table 基礎代謝.DBF.

    scripts/make-exercise-tables.py [--shared SHARED_DATA_DIR] [OUTPUT_FOLDER]

The tables are made from the readable lists beside this script, exercise-items.txt and
basal-metabolism.txt; OUTPUT_FOLDER defaults to data/master. The tables' date is fixed, so the
same lists always give the same bytes.

With --shared, every value of the lists is first checked against the public data it names
(exercise/af_items.csv, exercise/compendium2011.csv and exercise/basal_metabolism.csv under
SHARED_DATA_DIR); a value that differs stops the script. It then reports on standard output how
well Af = METs x METS_TO_AF agrees with the items that have both an Af of the 6th revision and a
Compendium activity named beside them.

Af and METs are multiples of different rates: Af of the basal metabolic rate, METs of the rate
at quiet rest (1 MET is about 1 kcal per kg per hour). The adult basal standard values of the
6th revision are 20.7-24.0 kcal per kg per day, 0.86-1.0 kcal per kg per hour, so one MET is
close to one basal rate for the adults the program is mostly used by; the items that carry both
values agree with that (least-squares factor 1.007, mean difference 0.000), while the factors
1.1 and 1.22 that other pages derive put the Compendium items 0.31 and 0.66 above the items of the
6th revision beside them. The table uses 1.0: METs taken as Af.
"""

import csv
import statistics
import struct
import sys
from decimal import ROUND_HALF_UP, Decimal
from pathlib import Path

METS_TO_AF = Decimal("1.0")
SLEEP_AF = Decimal("999.9")
TABLE_DATE = (2026, 1, 1)

HERE = Path(__file__).resolve().parent

ITEM_FIELDS = (("運動番号", 5), ("運動種目", 60), ("動作強度", 5))
BASAL_FIELDS = (("性別", 1), ("年齢", 3), ("基準体重", 5), ("基礎代謝量", 4), ("基準値", 4))


def fail(message):
    sys.exit("make-exercise-tables: " + message)


def lines_of(path):
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if line.strip() and not line.startswith("#"):
            yield number, line.split("\t")


def af_of_mets(mets):
    return (Decimal(mets) * METS_TO_AF).quantize(Decimal("0.1"), rounding=ROUND_HALF_UP)


def read_items():
    items = []
    for line, cells in lines_of(HERE / "exercise-items.txt"):
        if len(cells) not in (3, 4):
            fail(f"exercise-items.txt:{line}: expected NUMBER, NAME, SOURCE [, check]")
        number, name, source = int(cells[0]), cells[1], cells[2].split(" ", 2)
        item = {"line": line, "number": number, "name": name, "kind": source[0], "check": None}
        if source[0] == "sleep" and len(source) == 1:
            item["af"] = SLEEP_AF
        elif source[0] == "rda6" and len(source) == 3:
            item["af"], item["row"] = Decimal(source[1]), source[2]
        elif source[0] == "mets" and len(source) == 3:
            item["code"], item["mets"] = source[1], source[2]
            item["af"] = af_of_mets(source[2])
        else:
            fail(f"exercise-items.txt:{line}: unknown source '{cells[2]}'")
        if len(cells) == 4:
            check = cells[3].split(" ")
            if len(check) != 3 or check[0] != "check":
                fail(f"exercise-items.txt:{line}: expected 'check CODE METS'")
            item["check"] = (check[1], check[2])
        if not 1 <= number <= 65534:
            fail(f"exercise-items.txt:{line}: item number {number} outside 1-65534")
        if len(name.encode("cp932")) > 60:
            fail(f"exercise-items.txt:{line}: the name is longer than 60 bytes")
        if not Decimal(0) <= item["af"] <= SLEEP_AF:
            fail(f"exercise-items.txt:{line}: Af {item['af']} outside 0.0-999.9")
        if (item["kind"] == "sleep") != name.startswith("睡眠"):
            fail(f"exercise-items.txt:{line}: sleep items, and only they, have names beginning with 睡眠")
        items.append(item)
    numbers = [i["number"] for i in items]
    if numbers != sorted(set(numbers)):
        fail("exercise-items.txt: item numbers must be unique and ascending")
    return items


def read_basal():
    rows = []
    for line, cells in lines_of(HERE / "basal-metabolism.txt"):
        if len(cells) != 4:
            fail(f"basal-metabolism.txt:{line}: expected SEX, AGE, STANDARD, SOURCE")
        rows.append({"line": line, "sex": cells[0], "age": int(cells[1]), "standard": Decimal(cells[2]),
                     "source": tuple(cells[3].split(" "))})
    if len(rows) != 20 or [r["sex"] for r in rows] != ["0"] * 10 + ["1"] * 10:
        fail("basal-metabolism.txt: expected 10 rows for men, then 10 for women")
    return rows


def verify(items, basal, shared):
    folder = Path(shared) / "exercise"
    af_rows = {r["name_ja"]: r for r in csv.DictReader(open(folder / "af_items.csv", encoding="utf-8"))}
    mets = {r["code_2011"]: r for r in csv.DictReader(open(folder / "compendium2011.csv", encoding="utf-8"))}
    standards = {(r["edition"], r["sex"], r["age_class"]): r
                 for r in csv.DictReader(open(folder / "basal_metabolism.csv", encoding="utf-8"))}

    def check_mets(line, code, value):
        row = mets.get(code)
        if row is None or Decimal(row["mets_2011"]) != Decimal(value):
            fail(f"exercise-items.txt:{line}: code {code} has METs {row and row['mets_2011']}, not {value}")

    for item in items:
        if item["kind"] == "rda6":
            row = af_rows.get(item["row"])
            if row is None or not row["af"] or Decimal(row["af"]) != item["af"]:
                fail(f"exercise-items.txt:{item['line']}: af_items.csv has no Af {item['af']} for {item['row']}")
        if item["kind"] == "mets":
            check_mets(item["line"], item["code"], item["mets"])
        if item["check"]:
            check_mets(item["line"], *item["check"])
    for row in basal:
        source = standards.get(row["source"])
        if source is None or Decimal(source["standard_kcal_per_kg"]) != row["standard"]:
            fail(f"basal-metabolism.txt:{row['line']}: basal_metabolism.csv has no {row['standard']} for {row['source']}")


def report(items):
    pairs = [(item["af"], Decimal(item["check"][1]), item["name"])
             for item in items if item["kind"] == "rda6" and item["check"]]
    least_squares = sum(a * m for a, m, _ in pairs) / sum(m * m for _, m, _ in pairs)
    print(f"items: {len(items)} ({sum(i['kind'] == 'rda6' for i in items)} with the 6th revision's Af, "
          f"{sum(i['kind'] == 'mets' for i in items)} from the Compendium, "
          f"{sum(i['kind'] == 'sleep' for i in items)} sleep)")
    print(f"Af against METs, {len(pairs)} items with both: least-squares factor {least_squares:.3f}, "
          f"median ratio {statistics.median(a / m for a, m, _ in pairs):.3f}")
    for factor in (METS_TO_AF, Decimal("1.1"), Decimal("1.22")):
        errors = [(m * factor).quantize(Decimal("0.1"), rounding=ROUND_HALF_UP) - a for a, m, _ in pairs]
        within = sum(abs(e) <= Decimal("0.5") for e in errors)
        print(f"  factor {factor}: mean difference {statistics.mean(errors):+.3f}, mean absolute "
              f"{statistics.mean(abs(e) for e in errors):.3f}, within 0.5: {within} of {len(errors)}"
              + ("  (used)" if factor == METS_TO_AF else ""))


def dbf_bytes(fields, records):
    """A dBase III table as the program's table layer writes it: the header dated TABLE_DATE,
    character fields, the 0D terminator, the records with their blank flag byte, and 1A."""
    encoded = [(name.encode("cp932"), width) for name, width in fields]
    record_length = 1 + sum(width for _, width in fields)
    header_length = 32 + 32 * len(fields) + 1
    year, month, day = TABLE_DATE
    out = bytearray(struct.pack("<BBBBIHH20x", 3, year - 1900, month, day, len(records), header_length, record_length))
    for name, width in encoded:
        out += name.ljust(11, b"\0") + b"C" + bytes(4) + bytes([width, 0]) + bytes(14)
    out += b"\r"
    for record in records:
        if len(record) != record_length - 1:
            fail("a record does not fit the fields")
        out += b" " + record
    out += b"\x1a"
    return bytes(out)


def item_record(item):
    name = item["name"].encode("cp932").ljust(60, b" ")
    return b"%5d" % item["number"] + name + ("%5.1f" % item["af"]).encode("ascii")


def basal_record(row):
    return row["sex"].encode("ascii") + b"%3d" % row["age"] + b" " * 5 + b" " * 4 + ("%4.1f" % row["standard"]).encode("ascii")


def main(argv):
    shared = None
    if len(argv) >= 2 and argv[0] == "--shared":
        shared, argv = argv[1], argv[2:]
    if len(argv) > 1:
        sys.exit(__doc__)
    out = Path(argv[0]) if argv else HERE.parent / "data" / "master"

    items, basal = read_items(), read_basal()
    if shared:
        verify(items, basal, shared)
        report(items)
    out.mkdir(parents=True, exist_ok=True)
    (out / "RMR.DBF").write_bytes(dbf_bytes(ITEM_FIELDS, [item_record(i) for i in items]))
    (out / "基礎代謝.DBF").write_bytes(dbf_bytes(BASAL_FIELDS, [basal_record(r) for r in basal]))


if __name__ == "__main__":
    main(sys.argv[1:])
