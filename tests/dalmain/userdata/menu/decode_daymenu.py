#!/usr/bin/env python3
"""Reads a menu file (N.MEM) from its byte layout alone and compares its days with expectations.

    decode_daymenu.py MENU_FILE EXPECTED_JSON

EXPECTED_JSON holds {"records": [...]}, one object per expected record:
    record            1-based record number
    mark, date        "B", "YYYYMMDD"
    counts            five food counts (breakfast, lunch, dinner, snack, day)
    meals             four lists of entries: [food, tenths] for a food, ["dish"] for a dish header
    dishes            the used dish-name slots in order (text, trailing blanks removed)
    totals            five lists of 37 numbers
    groups_by_share   {"row": {"group": grams}} for the non-zero cells (rows 0-4, groups 1-18)
    groups_as_entered the same
Exit status 0 when every field agrees, 1 with one line per difference otherwise.
"""

import json
import math
import struct
import sys

RECORD_SIZE = 6259
MEALS = 4
ROWS = 5
SLOTS = 100
DISH_SLOTS = 30
DISH_WIDTH = 40
NUTRIENTS = 37
GROUPS = 18
DISH_HEADER = 0xFFFF

OFF_COUNTS = 9
OFF_ENTRIES = 19
OFF_DISHES = 1619
OFF_TOTALS = 2819
TOTALS_BLOCK = 400
OFF_BY_SHARE = 4819
OFF_AS_ENTERED = 5539


def decode(rec):
    """One record as a dict of plain Python values, with layout faults listed under 'faults'."""
    assert len(rec) == RECORD_SIZE
    faults = []
    out = {
        "mark": rec[0:1].decode("ascii", "replace"),
        "date": rec[1:9].decode("ascii", "replace"),
        "counts": list(struct.unpack_from("<5H", rec, OFF_COUNTS)),
    }
    meals = []
    for m in range(MEALS):
        words = struct.unpack_from("<%dH" % (2 * SLOTS), rec, OFF_ENTRIES + m * SLOTS * 4)
        entries = []
        ended = False
        for i in range(SLOTS):
            food, tenths = words[2 * i], words[2 * i + 1]
            if ended:
                if food or tenths:
                    faults.append("meal %d slot %d follows the end of the list but is not empty" % (m, i))
                continue
            if food == 0:
                ended = True
            elif food == DISH_HEADER:
                entries.append(["dish"])
            else:
                entries.append([food, tenths])
        meals.append(entries)
    out["meals"] = meals

    dishes = []
    for i in range(DISH_SLOTS):
        raw = rec[OFF_DISHES + i * DISH_WIDTH:OFF_DISHES + (i + 1) * DISH_WIDTH]
        if raw == bytes(DISH_WIDTH):
            continue
        if len(dishes) != i:
            faults.append("dish-name slot %d is used after an unused one" % i)
        dishes.append(raw.decode("cp932").rstrip(" "))
    out["dishes"] = dishes

    totals = []
    for r in range(ROWS):
        base = OFF_TOTALS + r * TOTALS_BLOCK
        totals.append(list(struct.unpack_from("<%dd" % NUTRIENTS, rec, base)))
        if rec[base + NUTRIENTS * 8:base + TOTALS_BLOCK] != bytes(TOTALS_BLOCK - NUTRIENTS * 8):
            faults.append("padding after the totals of row %d is not zero" % r)
    out["totals"] = totals

    for name, base in (("groups_by_share", OFF_BY_SHARE), ("groups_as_entered", OFF_AS_ENTERED)):
        out[name] = [list(struct.unpack_from("<%dd" % GROUPS, rec, base + r * GROUPS * 8)) for r in range(ROWS)]
    out["faults"] = faults
    return out


def read_records(path):
    with open(path, "rb") as f:
        data = f.read()
    whole = len(data) // RECORD_SIZE
    return [decode(data[i * RECORD_SIZE:(i + 1) * RECORD_SIZE]) for i in range(whole)], len(data) % RECORD_SIZE


def close(a, b):
    return math.isclose(a, b, rel_tol=1e-12, abs_tol=1e-12)


def compare(got, want, where):
    diffs = ["%s: %s" % (where, f) for f in got["faults"]]
    for field in ("mark", "date", "counts", "meals", "dishes"):
        if got[field] != want[field]:
            diffs.append("%s %s: read %r, expected %r" % (where, field, got[field], want[field]))
    for r in range(ROWS):
        for n in range(NUTRIENTS):
            if got["totals"][r][n] != want["totals"][r][n]:
                diffs.append("%s totals[%d][%d]: read %r, expected %r"
                             % (where, r, n, got["totals"][r][n], want["totals"][r][n]))
    for field in ("groups_by_share", "groups_as_entered"):
        cells = want[field]
        for r in range(ROWS):
            for g in range(1, GROUPS + 1):
                expected = float(cells.get(str(r), {}).get(str(g), 0.0))
                value = got[field][r][g - 1]
                if not close(value, expected):
                    diffs.append("%s %s[%d][group %d]: read %r, expected %r" % (where, field, r, g, value, expected))
    return diffs


def main(argv):
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    records, tail = read_records(argv[1])
    with open(argv[2], encoding="utf-8") as f:
        expected = json.load(f)["records"]
    diffs = []
    if tail:
        diffs.append("file length is not a multiple of %d (%d bytes over)" % (RECORD_SIZE, tail))
    for want in expected:
        number = want["record"]
        if not 1 <= number <= len(records):
            diffs.append("record %d: not in the file (%d records)" % (number, len(records)))
            continue
        diffs.extend(compare(records[number - 1], want, "record %d" % number))
    for d in diffs:
        print(d)
    print("%d records read, %d compared, %d differences" % (len(records), len(expected), len(diffs)))
    return 1 if diffs else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
