#!/usr/bin/env python3
"""Writes the shipped food group tables, exchange lists and proper-unit sets.

    scripts/make-group-tables.py SHARED_DATA_DIR [OUTPUT_FOLDER]

From the readable lists beside this script:
- food-group-tables.txt: the group tables "18郡別表" and "食品群別表１０群", written to
  食品群別.DBF, their exception files fg18郡別表.DBF and fg食品群別表１０群.DBF, and the empty
  template 食品群割.DBF from which a new table's exception file is made;
- exchange-rules.txt: the 表 of every food of the official composition table in the diabetes
  and the kidney list, written to 糖尿交換表.DAT and 腎臓交換表.DAT;
- proper-units.txt: the proper-unit sets, written to 適正単位.DBF.
適正摂取.DBF is written with its fields and no set: no public source giving grams per day for
the groups of these tables was found.

The foods, their official numbers and names come from mext2023/main-2026-03-27.csv under
SHARED_DATA_DIR. OUTPUT_FOLDER defaults to data/master. The tables' date is fixed, so the same
lists always give the same bytes. The script reports on standard output how many foods each
表 and each rule received; a rule that no food matches stops it.
"""

import csv
import importlib.util
import struct
import sys
from decimal import Decimal
from pathlib import Path

HERE = Path(__file__).resolve().parent

_spec = importlib.util.spec_from_file_location("exercise_tables", HERE / "make-exercise-tables.py")
_exercise = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(_exercise)
dbf_bytes = _exercise.dbf_bytes

GROUPS = 18

# Official food number GGSSS -> program food number: offset(GG) + SSS while SSS is within the
# group's standard serials, else 40000 + GGSSS (data/README.md, "Food numbers and codes").
STANDARD = {1: (0, 143), 2: (143, 40), 3: (183, 23), 4: (206, 73), 5: (279, 37), 6: (316, 326),
            7: (642, 156), 8: (798, 36), 9: (834, 48), 10: (882, 387), 11: (1269, 244), 12: (1513, 20),
            13: (1533, 52), 14: (1585, 22), 15: (1607, 120), 16: (1727, 55), 17: (1782, 84), 18: (1866, 16)}

EXCHANGE = {
    "diabetes": {"file": "糖尿交換表.DAT", "name": "糖尿病食品交換表 第６版",
                 "groups": ["表1", "表2", "表3", "表4", "表5", "表6", "調味料", "し好食品", "調理加工品"]},
    "kidney": {"file": "腎臓交換表.DAT", "name": "腎臓病食品交換表 第７版",
               "groups": ["表1", "表2", "表3", "表4", "表5", "表6", "別表", "治療用特殊食品"]},
}

GROUP_FIELDS = ([("郡別表名", 30)] + [(f"群名{g:02d}", 10) for g in range(1, GROUPS + 1)]
                + [(f"群番号{g:02d}", 2) for g in range(1, GROUPS + 1)] + [("予備", 1)])
INTAKE_FIELDS = ([("適正摂取名", 30), ("郡別表名", 30), ("合計", 7)]
                 + [(f"適正{g:02d}", 6) for g in range(1, GROUPS + 1)])
EXCEPTION_FIELDS = [("食品番号", 5), ("元群", 2), ("先群", 2)]
UNIT_FIELDS = [("適正単位名", 30), ("交換表名", 30)] + [(f"単位{g:02d}", 6) for g in range(1, GROUPS + 1)]


def fail(message):
    sys.exit("make-group-tables: " + message)


def lines_of(name):
    for number, line in enumerate((HERE / name).read_text(encoding="utf-8").splitlines(), 1):
        if line.strip() and not line.startswith("#"):
            yield number, line.split("\t")


def text(value, width, where):
    encoded = value.encode("cp932")
    if len(encoded) > width:
        fail(f"{where}: '{value}' is longer than {width} bytes")
    return encoded.ljust(width, b" ")


def food_number(code):
    group, serial = int(code[:2]), int(code[2:])
    offset, count = STANDARD[group]
    return offset + serial if 1 <= serial <= count else 40000 + group * 1000 + serial


def read_foods(shared):
    path = Path(shared) / "mext2023" / "main-2026-03-27.csv"
    foods = []
    with open(path, encoding="utf-8", newline="") as f:
        for row in csv.DictReader(f):
            foods.append({"group": int(row["FOOD_GROUP"]), "number": food_number(row["FOOD_NUMBER"]),
                          "name": row["FOOD_NAME"]})
    numbers = [f["number"] for f in foods]
    if len(set(numbers)) != len(numbers):
        fail("two foods of the table get one number")
    return foods


def matches(keyword, name):
    if keyword == "*":
        return True
    if keyword.startswith("="):
        return keyword[1:] in name.split("\u3000")
    return keyword in name


def read_rules():
    rules = {kind: {} for kind in EXCHANGE}
    for line, cells in lines_of("exchange-rules.txt"):
        if len(cells) != 4 or cells[0] not in EXCHANGE:
            fail(f"exchange-rules.txt:{line}: expected LIST, GROUP, KEYWORD, 表")
        kind, group, keyword, table = cells[0], int(cells[1]), cells[2], cells[3]
        if not 1 <= group <= GROUPS:
            fail(f"exchange-rules.txt:{line}: no standard group {cells[1]}")
        if table not in EXCHANGE[kind]["groups"]:
            fail(f"exchange-rules.txt:{line}: the {kind} list has no {table}")
        group_rules = rules[kind].setdefault(group, [])
        if group_rules and group_rules[-1]["keyword"] == "*":
            fail(f"exchange-rules.txt:{line}: a rule after the group's '*' is never tried")
        group_rules.append({"line": line, "keyword": keyword, "table": table, "count": 0})
    for kind, groups in rules.items():
        for group in range(1, GROUPS + 1):
            if not groups.get(group) or groups[group][-1]["keyword"] != "*":
                fail(f"exchange-rules.txt: the {kind} rules of group {group:02d} do not end with '*'")
    return rules


def exchange_records(kind, rules, foods):
    groups = EXCHANGE[kind]["groups"]
    records = []
    for food in foods:
        rule = next(r for r in rules[kind][food["group"]] if matches(r["keyword"], food["name"]))
        rule["count"] += 1
        records.append((food["number"], groups.index(rule["table"]) + 1))
    for group_rules in rules[kind].values():
        for rule in group_rules:
            if rule["count"] == 0:
                fail(f"exchange-rules.txt:{rule['line']}: no food matches '{rule['keyword']}'")
    records.sort()
    return b"".join(struct.pack("<IBB", number, 0, table) for number, table in records), records


def read_group_tables():
    tables = []
    for line, cells in lines_of("food-group-tables.txt"):
        where = f"food-group-tables.txt:{line}"
        if cells[0] == "table" and len(cells) == 2:
            tables.append({"name": cells[1], "groups": [], "exceptions": []})
        elif cells[0] == "group" and len(cells) == 4 and tables:
            number, name, standard = int(cells[1]), cells[2], [int(s) for s in cells[3].split(",")]
            if number != len(tables[-1]["groups"]) + 1 or number > GROUPS:
                fail(f"{where}: groups are numbered 1, 2, ... up to {GROUPS}")
            tables[-1]["groups"].append({"name": name, "standard": standard, "line": line})
        elif cells[0] == "exception" and len(cells) == 4 and tables:
            tables[-1]["exceptions"].append({"keyword": cells[1], "source": int(cells[2]), "target": int(cells[3]),
                                             "line": line})
        else:
            fail(f"{where}: expected table, group or exception")
    for table in tables:
        mapping = [0] * GROUPS
        for number, group in enumerate(table["groups"], 1):
            for s in group["standard"]:
                if not 1 <= s <= GROUPS or mapping[s - 1]:
                    fail(f"food-group-tables.txt:{group['line']}: standard group {s} is no group or is taken twice")
                mapping[s - 1] = number
        table["mapping"] = mapping
    return tables


def group_record(table):
    where = "food-group-tables.txt: " + table["name"]
    names = [g["name"] for g in table["groups"]] + [""] * (GROUPS - len(table["groups"]))
    return (text(table["name"], 30, where) + b"".join(text(n, 10, where) for n in names)
            + b"".join(b"%02d" % m for m in table["mapping"]) + b" ")


def exception_records(table, foods):
    records = {}
    for e in table["exceptions"]:
        if e["target"] > len(table["groups"]):
            fail(f"food-group-tables.txt:{e['line']}: the table has no group {e['target']}")
        hits = [f for f in foods if f["group"] == e["source"] and e["keyword"] in f["name"]]
        if not hits:
            fail(f"food-group-tables.txt:{e['line']}: no food matches '{e['keyword']}'")
        for f in hits:
            records.setdefault(f["number"], b"%5d%02d%02d" % (f["number"], e["source"], e["target"]))
    return [records[n] for n in sorted(records)], len(records)


def unit_records():
    records = []
    for line, cells in lines_of("proper-units.txt"):
        where = f"proper-units.txt:{line}"
        if len(cells) != 4:
            fail(f"{where}: expected NAME, EXCHANGE TABLE, UNITS, SOURCE")
        name, exchange, units = cells[0], cells[1], [Decimal(u) for u in cells[2].split(" ")]
        kind = next((k for k, v in EXCHANGE.items() if v["name"] == exchange), None)
        if kind is None or len(units) > len(EXCHANGE[kind]["groups"]):
            fail(f"{where}: no exchange table '{exchange}', or more units than it has groups")
        energy = Decimal(name.split("kcal")[0].split(" ")[-1]) if "kcal" in name else None
        if energy is not None and sum(units) * 80 != energy:
            fail(f"{where}: {sum(units)} units are {sum(units) * 80} kcal, not {energy}")
        units += [Decimal(0)] * (GROUPS - len(units))
        records.append(text(name, 30, where) + text(exchange, 30, where)
                       + b"".join(("%6.1f" % u).encode("ascii") for u in units))
    return sorted(records, key=lambda r: r[:30])


def main(argv):
    if len(argv) not in (1, 2):
        sys.exit(__doc__)
    foods = read_foods(argv[0])
    out = Path(argv[1]) if len(argv) == 2 else HERE.parent / "data" / "master"
    out.mkdir(parents=True, exist_ok=True)

    rules = read_rules()
    for kind, spec in EXCHANGE.items():
        data, records = exchange_records(kind, rules, foods)
        (out / spec["file"]).write_bytes(data)
        counts = {g: sum(1 for _, t in records if t == i) for i, g in enumerate(spec["groups"], 1)}
        print(f"{spec['file']}: {len(records)} foods; " + ", ".join(f"{g} {c}" for g, c in counts.items()))
        for group, group_rules in sorted(rules[kind].items()):
            for rule in group_rules:
                if rule["keyword"] != "*":
                    print(f"  {group:02d} {rule['keyword']} -> {rule['table']}: {rule['count']}")

    tables = read_group_tables()
    records = sorted((group_record(t) for t in tables), key=lambda r: r[:30])
    (out / "食品群別.DBF").write_bytes(dbf_bytes(GROUP_FIELDS, records))
    for table in tables:
        exceptions, count = exception_records(table, foods)
        (out / f"fg{table['name']}.DBF").write_bytes(dbf_bytes(EXCEPTION_FIELDS, exceptions))
        print(f"fg{table['name']}.DBF: {count} foods")
    (out / "食品群割.DBF").write_bytes(dbf_bytes(EXCEPTION_FIELDS, []))
    (out / "適正摂取.DBF").write_bytes(dbf_bytes(INTAKE_FIELDS, []))
    units = unit_records()
    (out / "適正単位.DBF").write_bytes(dbf_bytes(UNIT_FIELDS, units))
    print(f"適正単位.DBF: {len(units)} sets")


if __name__ == "__main__":
    main(sys.argv[1:])
