#!/usr/bin/env python3
"""Writes the reference intakes file jk2010.dat from the public DRI 2010 values.

    scripts/gen-jk2010.py SHARED_DATA_DIR [OUTPUT]

SHARED_DATA_DIR is the folder of the public reference data (it holds dri2010/dri2010.csv);
OUTPUT defaults to data/master/jk2010.dat beside this script. data/README.md tells which
published kind fills each lower and upper value and which values the sources leave open.

The file is Shift-JIS text with CR LF line ends: 3 heading lines, 15 male rows, a separator
line, 15 female rows and 4 addition rows (pregnancy early, mid, late, lactation). A row is
172 comma-separated fields: label, upper age bound in years, two unused numbers, then for each
of the 28 nutrient columns the lower and upper value of activity levels I, II and III.
"""

import csv
import sys
from decimal import ROUND_HALF_UP, Decimal
from pathlib import Path

LEVELS = ("I", "II", "III")

# Age groups in file order: label, upper age bound, the CSV's age group. The 2010 tables give
# energy and protein for 6-8 and 9-11 months and the other nutrients for 6-11 months as one
# group, so each of the three infant groups has its own row. The last row covers every age the
# program admits.
AGE_ROWS = (
    ("0～5月", 0, "0-5m"),
    ("6～8月", 0, "6-8m"),
    ("9～11月", 0, "9-11m"),
    ("6～11月", 0, "6-11m"),
    ("1～2歳", 2, "1-2"),
    ("3～5歳", 5, "3-5"),
    ("6～7歳", 7, "6-7"),
    ("8～9歳", 9, "8-9"),
    ("10～11歳", 11, "10-11"),
    ("12～14歳", 14, "12-14"),
    ("15～17歳", 17, "15-17"),
    ("18～29歳", 29, "18-29"),
    ("30～49歳", 49, "30-49"),
    ("50～69歳", 69, "50-69"),
    ("70歳以上", 99, "70+"),
)

ADDITION_ROWS = (
    ("妊婦初期(付加量)", "pregnant_early"),
    ("妊婦中期(付加量)", "pregnant_mid"),
    ("妊婦末期(付加量)", "pregnant_late"),
    ("授乳婦(付加量)", "lactating"),
)

# The 28 columns in file order: heading, CSV nutrient key, rule. Rules:
#   energy         the estimated energy requirement of the level as lower and upper
#   point(U)       lower: the recommended amount, else the adequate intake;
#                  upper: the tolerable upper limit when U is True
#   pct(kcal)      lower and upper: the tentative dietary goal in % of energy, in grams at
#                  kcal per gram with the row's energy of the level
#   goal-lower     lower: the tentative dietary goal (以上)
#   goal-upper     upper: the tentative dietary goal (未満)
COLUMNS = (
    ("エネルギー(kcal)", "energy", ("energy",)),
    ("たんぱく質(g)", "protein", ("point", False)),
    ("脂質(g)", "fat", ("pct", 9)),
    ("炭水化物(g)", "carbohydrate", ("pct", 4)),
    ("カリウム(mg)", "potassium", ("point", False)),
    ("カルシウム(mg)", "calcium", ("point", True)),
    # The upper limit of magnesium applies to supplements only, never to food.
    ("マグネシウム(mg)", "magnesium", ("point", False)),
    ("リン(mg)", "phosphorus", ("point", True)),
    ("鉄・月経なし(mg)", "iron", ("point", True)),
    ("鉄・月経あり(mg)", "iron_menstruating", ("point", True)),
    ("亜鉛(mg)", "zinc", ("point", True)),
    ("銅(mg)", "copper", ("point", True)),
    ("ビタミンA(μgRE)", "vitamin_a", ("point", True)),
    ("ビタミンD(μg)", "vitamin_d", ("point", True)),
    ("ビタミンE(mg)", "vitamin_e", ("point", True)),
    ("ビタミンK(μg)", "vitamin_k", ("point", True)),
    ("ビタミンB1(mg)", "vitamin_b1", ("point", True)),
    ("ビタミンB2(mg)", "vitamin_b2", ("point", True)),
    # The one published niacin limit (men of 1-2 years) is in mg nicotinamide, not niacin
    # equivalents, so it cannot bound an intake counted in niacin equivalents.
    ("ナイアシン(mgNE)", "niacin", ("point", False)),
    ("ビタミンB6(mg)", "vitamin_b6", ("point", True)),
    ("ビタミンB12(μg)", "vitamin_b12", ("point", True)),
    ("葉酸(μg)", "folate", ("point", True)),
    ("パントテン酸(mg)", "pantothenic_acid", ("point", True)),
    ("ビタミンC(mg)", "vitamin_c", ("point", True)),
    ("飽和脂肪酸(g)", "saturated_fat", ("pct", 9)),
    ("コレステロール(mg)", "cholesterol", ("goal-upper",)),
    ("食物繊維総量(g)", "fibre", ("goal-lower",)),
    ("食塩相当量(g)", "salt", ("goal-upper",)),
)

FIELDS_PER_ROW = 4 + 6 * len(COLUMNS)
TENTH = Decimal("0.1")


def load(csv_path):
    """(nutrient, sex, age_group) -> list of (kind, bound, level, Decimal value)."""
    values = {}
    with open(csv_path, encoding="utf-8", newline="") as f:
        for r in csv.DictReader(f):
            key = (r["nutrient"], r["sex"], r["age_group"])
            values.setdefault(key, []).append(
                (r["kind"], r["bound"], r["activity_level"], Decimal(r["value"])))
    return values


def pick(entries, kind, bound="point", level=None):
    """The value of one kind (and bound, and level when the kind has levels), or None."""
    found = [v for k, b, l, v in entries if k == kind and b == bound and (not l or l == level)]
    if len(found) > 1:
        raise SystemExit(f"ambiguous {kind}/{bound}/{level}: {entries}")
    return found[0] if found else None


def energy_of(entries, level):
    # Children of 1-5 years and infants have one requirement without activity levels.
    return pick(entries, "EER", level=level)


def number(value):
    if value is None or value == 0:
        return "0"
    text = format(value.normalize(), "f")
    return text


def cells(values, sex, group, row_energy, addition):
    """The 168 value fields of one row."""
    out = []
    for _, key, rule in COLUMNS:
        entries = values.get((key, sex, group), [])
        for level in LEVELS:
            lower = upper = None
            kind = rule[0]
            if kind == "energy":
                lower = upper = energy_of(entries, level)
            elif kind == "point":
                lower = pick(entries, "RDA")
                if lower is None:
                    lower = pick(entries, "AI")
                if rule[1]:
                    upper = pick(entries, "UL")
            elif kind == "pct":
                # The additions carry no goal of their own; see data/README.md.
                energy = row_energy(level)
                low_pct = pick(entries, "DG", "lower")
                high_pct = pick(entries, "DG", "upper")
                if energy is not None and not addition:
                    per_gram = Decimal(rule[1])
                    if low_pct is not None:
                        lower = (energy * low_pct / 100 / per_gram).quantize(TENTH, ROUND_HALF_UP)
                    if high_pct is not None:
                        upper = (energy * high_pct / 100 / per_gram).quantize(TENTH, ROUND_HALF_UP)
            elif kind == "goal-lower":
                lower = pick(entries, "DG", "lower")
            elif kind == "goal-upper":
                upper = pick(entries, "DG", "upper")
            out += [number(lower), number(upper)]
    return out


def age_row(values, sex, label, bound, group):
    energies = values.get(("energy", sex, group), [])
    fields = [label, str(bound), "0", "0"]
    fields += cells(values, sex, group, lambda level: energy_of(energies, level), False)
    return fields


def addition_row(values, label, group):
    fields = [label, "0", "0", "0"]
    fields += cells(values, "female", group, lambda level: None, True)
    return fields


def headings():
    title = ["日本人の食事摂取基準(2010年版)", "scripts/gen-jk2010.py で dri2010.csv から作成"]
    names = ["区分", "年齢上限", "予備", "予備"]
    kinds = ["", "", "", ""]
    for heading, _, _ in COLUMNS:
        names += [heading, "", "", "", "", ""]
        for level in ("低い", "普通", "高い"):
            kinds += [level + "下限", level + "上限"]
    return [title, names, kinds]


def main():
    if len(sys.argv) not in (2, 3):
        raise SystemExit(__doc__)
    shared = Path(sys.argv[1])
    output = Path(sys.argv[2]) if len(sys.argv) == 3 else \
        Path(__file__).resolve().parent.parent / "data" / "master" / "jk2010.dat"
    values = load(shared / "dri2010" / "dri2010.csv")

    lines = headings()
    lines += [age_row(values, "male", *row) for row in AGE_ROWS]
    lines.append(["女性"])
    lines += [age_row(values, "female", *row) for row in AGE_ROWS]
    lines += [addition_row(values, *row) for row in ADDITION_ROWS]

    for fields in lines[3:]:
        if len(fields) not in (1, FIELDS_PER_ROW):
            raise SystemExit(f"row of {len(fields)} fields")
    text = "".join(",".join(fields) + "\r\n" for fields in lines)
    data = text.encode("cp932")
    if any(len(line) > 10000 for line in data.split(b"\r\n")):
        raise SystemExit("a line exceeds 10,000 bytes")
    output.write_bytes(data)


if __name__ == "__main__":
    main()
