#!/usr/bin/env python3
"""Writes the reference intakes file jk2010.dat from the public DRI 2010 values.

    scripts/gen-jk2010.py SHARED_DATA_DIR [OUTPUT]

SHARED_DATA_DIR is the folder of the public reference data (it holds dri2010/dri2010.csv and
dri2010/additions.csv, the values found after the first compilation); OUTPUT defaults to
data/master/jk2010.dat beside this script. data/README.md tells which published kind fills each
lower and upper value and which values the sources leave open.

The report on standard output lists, for each source file, nutrient and kind, how many of its
rows went into the file by their confidence mark, and the rows no column takes.

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
#   pct(kcal, d)   lower and upper: the tentative dietary goal in % of energy, in grams at
#                  kcal per gram with the row's energy of the level, rounded half up to d
#                  decimals, the decimals the program shows the nutrient with
#   goal-lower     lower: the tentative dietary goal (以上)
#   goal-upper     upper: the tentative dietary goal (未満)
COLUMNS = (
    ("エネルギー(kcal)", "energy", ("energy",)),
    ("たんぱく質(g)", "protein", ("point", False)),
    ("脂質(g)", "fat", ("pct", 9, 1)),
    ("炭水化物(g)", "carbohydrate", ("pct", 4, 1)),
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
    ("飽和脂肪酸(g)", "saturated_fat", ("pct", 9, 2)),
    ("コレステロール(mg)", "cholesterol", ("goal-upper",)),
    ("食物繊維総量(g)", "fibre", ("goal-lower",)),
    ("食塩相当量(g)", "salt", ("goal-upper",)),
)

FIELDS_PER_ROW = 4 + 6 * len(COLUMNS)

# The files of the public data the values come from, in the order the report lists them, and the
# confidence marks they give each row.
SOURCES = ("dri2010.csv", "additions.csv")
CONFIDENCES = ("confirmed", "cross-checked", "unconfirmed")


class Published:
    """The rows of every source file, and which of them the file has taken."""

    def __init__(self, folder):
        self.rows = {}      # (nutrient, sex, age_group) -> list of rows
        self.taken = set()  # the identities of the rows whose values the file holds
        source_of = {}
        for source in SOURCES:
            with open(folder / source, encoding="utf-8", newline="") as f:
                for r in csv.DictReader(f):
                    ident = (r["nutrient"], r["sex"], r["age_group"], r["kind"], r["bound"],
                             r["activity_level"])
                    name = " ".join(part for part in ident if part)
                    # A value given twice, by one file or by both, is for a person to settle.
                    if ident in source_of:
                        raise SystemExit(f"{name}: in {source_of[ident]} and in {source}")
                    if r["confidence"] not in CONFIDENCES:
                        raise SystemExit(f"{name}: confidence {r['confidence']!r} in {source}")
                    source_of[ident] = source
                    row = {"ident": ident, "source": source, "confidence": r["confidence"],
                           "value": Decimal(r["value"])}
                    self.rows.setdefault(ident[:3], []).append(row)

    def pick(self, key, kind, bound="point", level=None):
        """The value of one kind (and bound, and level when the kind has levels), or None. The
        row it comes from counts as taken into the file."""
        found = [r for r in self.rows.get(key, [])
                 if r["ident"][3] == kind and r["ident"][4] == bound
                 and (not r["ident"][5] or r["ident"][5] == level)]
        if len(found) > 1:
            raise SystemExit(f"ambiguous {key} {kind}/{bound}/{level}")
        if not found:
            return None
        self.taken.add(found[0]["ident"])
        return found[0]["value"]

    def report(self):
        """Lines telling, per source, nutrient and kind, the rows taken into the file and the
        rows left out, counted by confidence."""
        def table(rows):
            counts = {}
            for r in rows:
                group = (r["source"], r["ident"][0], r["ident"][3])
                counts.setdefault(group, dict.fromkeys(CONFIDENCES, 0))[r["confidence"]] += 1
            order = sorted(counts, key=lambda g: (SOURCES.index(g[0]), g[1], g[2]))
            return [f"  {s:<14}{n:<19}{k:<5}" + "".join(f"{counts[(s, n, k)][c]:>15}" for c in CONFIDENCES)
                    for s, n, k in order]

        every = [r for rows in self.rows.values() for r in rows]
        heading = f"  {'source':<14}{'nutrient':<19}{'kind':<5}" + "".join(f"{c:>15}" for c in CONFIDENCES)
        lines = ["Rows taken into the file, by confidence:", heading]
        lines += table(r for r in every if r["ident"] in self.taken)
        lines += ["Rows no column takes:", heading]
        lines += table(r for r in every if r["ident"] not in self.taken)
        return lines


def energy_of(published, key, level):
    # Children of 1-5 years and infants have one requirement without activity levels.
    return published.pick(key, "EER", level=level)


def number(value):
    if value is None or value == 0:
        return "0"
    text = format(value.normalize(), "f")
    return text


def grams_of_energy(energy, percent, kcal_per_gram, decimals):
    grams = energy * percent / 100 / Decimal(kcal_per_gram)
    return grams.quantize(Decimal(1).scaleb(-decimals), ROUND_HALF_UP)


def cells(published, sex, group, energy_key, addition):
    """The 168 value fields of one row."""
    out = []
    for _, nutrient, rule in COLUMNS:
        key = (nutrient, sex, group)
        for level in LEVELS:
            lower = upper = None
            kind = rule[0]
            if kind == "energy":
                lower = upper = energy_of(published, key, level)
            elif kind == "point":
                lower = published.pick(key, "RDA")
                if lower is None:
                    lower = published.pick(key, "AI")
                if rule[1]:
                    upper = published.pick(key, "UL")
            elif kind == "pct":
                # The additions carry no goal of their own: the program applies the age row's
                # share of energy to the raised energy (see data/README.md).
                energy = None if addition else energy_of(published, energy_key, level)
                if energy is not None:
                    low_pct = published.pick(key, "DG", "lower")
                    high_pct = published.pick(key, "DG", "upper")
                    if low_pct is not None:
                        lower = grams_of_energy(energy, low_pct, rule[1], rule[2])
                    if high_pct is not None:
                        upper = grams_of_energy(energy, high_pct, rule[1], rule[2])
            elif kind == "goal-lower":
                lower = published.pick(key, "DG", "lower")
            elif kind == "goal-upper":
                upper = published.pick(key, "DG", "upper")
            out += [number(lower), number(upper)]
    return out


def age_row(published, sex, label, bound, group):
    fields = [label, str(bound), "0", "0"]
    fields += cells(published, sex, group, ("energy", sex, group), False)
    return fields


def addition_row(published, label, group):
    fields = [label, "0", "0", "0"]
    fields += cells(published, "female", group, None, True)
    return fields


def headings():
    title = ["日本人の食事摂取基準(2010年版)", "scripts/gen-jk2010.py で dri2010.csv と additions.csv から作成"]
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
    published = Published(shared / "dri2010")

    lines = headings()
    lines += [age_row(published, "male", *row) for row in AGE_ROWS]
    lines.append(["女性"])
    lines += [age_row(published, "female", *row) for row in AGE_ROWS]
    lines += [addition_row(published, *row) for row in ADDITION_ROWS]

    for fields in lines[3:]:
        if len(fields) not in (1, FIELDS_PER_ROW):
            raise SystemExit(f"row of {len(fields)} fields")
    text = "".join(",".join(fields) + "\r\n" for fields in lines)
    data = text.encode("cp932")
    if any(len(line) > 10000 for line in data.split(b"\r\n")):
        raise SystemExit("a line exceeds 10,000 bytes")
    output.write_bytes(data)
    print(f"{output}: written")
    print("\n".join(published.report()))


if __name__ == "__main__":
    main()
