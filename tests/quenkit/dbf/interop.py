#!/usr/bin/env python3
"""Tables written by `dalmora dbf` read by independent dBase tools, and the other way round.

    interop.py dbfread DALMORA   our table read by python3-dbfread
    interop.py dbview DALMORA    our table read by dbview
    interop.py pydbf DALMORA     a python3-dbf table read, searched and rewritten by us

Exit 0 on success, 1 on a mismatch, 77 (skipped) when the Python module of the check is
missing.
"""

import datetime
import os
import shutil
import subprocess
import sys
import tempfile

SKIP = 77


class Mismatch(Exception):
    pass


def expect(what, actual, expected):
    if actual != expected:
        raise Mismatch(f"{what}:\n  expected {expected!r}\n  actual   {actual!r}")


class Tool:
    def __init__(self, program, folder, today):
        self.program = program
        self.env = dict(os.environ, DALMORA_CONFIG_DIR=os.path.join(folder, "config"), DALMORA_TODAY=today)

    def __call__(self, *args, exit_code=0):
        done = subprocess.run([self.program, "dbf", *args], env=self.env, capture_output=True, text=True,
                              encoding="utf-8")
        if done.returncode != exit_code:
            raise Mismatch(f"dalmora dbf {' '.join(args)}: exit {done.returncode}, expected {exit_code}\n"
                           f"{done.stdout}{done.stderr}")
        return done.stdout


# Our table: dish names with their readings in half-width katakana, an amount and a date, written
# out of order; the table keeps them in the byte order of 名前 in Shift-JIS.
FIELDS = ["名前:C:20", "よみ:C:20", "量:N:6:1", "日付:D:8"]
ROWS = [
    ("牛丼", "ｷﾞｭｳﾄﾞﾝ", "12.0", "20280229"),
    ("カレー", "ｶﾚｰ", "1.5", "20130401"),
    ("あいす", "ｱｲｽ", "", ""),
    ("ハヤシ", "ﾊﾔｼ", "0.5", "20131206"),
    ("削除する", "ｻｸｼﾞｮ", "9", "20130101"),
]


def write_our_table(tool, path):
    tool("create", path, *FIELDS)
    for name, kana, amount, date in ROWS:
        expect(f"write {name}", tool("write", path, "名前", f"名前={name}", f"よみ={kana}", f"量={amount}",
                                     f"日付={date}"), "1\n")
    # An overwrite in place and a delete through a rewrite.
    expect("overwrite", tool("write", path, "名前", "名前=ハヤシ", "よみ=ﾊﾔｼﾗｲｽ", "量=0.5", "日付=20131206"), "2\n")
    expect("delete", tool("delete", path, "名前", "削除する"), "1\n")
    rows = [r for r in ROWS if r[0] != "削除する"]
    rows = [("ハヤシ", "ﾊﾔｼﾗｲｽ", *r[2:]) if r[0] == "ハヤシ" else r for r in rows]
    return sorted(rows, key=lambda r: r[0].encode("cp932"))


def check_dbfread(tool, folder):
    try:
        import dbfread
    except ImportError:
        return SKIP
    path = os.path.join(folder, "料理.DBF")
    rows = write_our_table(tool, path)
    table = dbfread.DBF(path, encoding="cp932", char_decode_errors="strict")
    expect("field names", table.field_names, ["名前", "よみ", "量", "日付"])
    expect("header date", table.date, datetime.date(2028, 3, 1))
    records = [dict(r) for r in table]
    expected = [{"名前": name, "よみ": kana, "量": float(amount) if amount else None,
                 "日付": datetime.date(int(date[:4]), int(date[4:6]), int(date[6:])) if date else None}
                for name, kana, amount, date in rows]
    expect("records", records, expected)
    expect("deleted records", list(table.deleted), [])
    return 0


def check_dbview(tool, folder):
    dbview = shutil.which("dbview")
    if not dbview:
        raise Mismatch("dbview is not installed (scripts/install-deps installs it)")
    path = os.path.join(folder, "料理.DBF")
    rows = write_our_table(tool, path)

    def run(*args):
        return subprocess.run([dbview, *args, path], capture_output=True, check=True).stdout.decode("cp932")

    # -r keeps the field names as they are; dbview would otherwise change their letter case.
    described = [line.split("\t") for line in run("-r", "-e", "-o").splitlines()[1:] if line.strip()]
    expect("field names", [d[0].strip() for d in described], ["名前", "よみ", "量", "日付"])
    expect("field types and lengths", [(d[1].strip(), d[2].strip(), d[3].strip()) for d in described],
           [("C", "20", "0"), ("C", "20", "0"), ("N", "6", "1"), ("D", "8", "0")])
    browsed = [line.split("|")[:4] for line in run("-b", "-t", "-d", "|").splitlines() if line]
    expect("records", browsed, [list(r) for r in rows])
    info = run("-i")
    if "Number of recs: %d" % len(rows) not in info:
        raise Mismatch(f"record count not in dbview -i:\n{info}")
    return 0


def check_pydbf(tool, folder):
    try:
        import dbf
    except ImportError:
        return SKIP
    path = os.path.join(folder, "their.dbf")
    rows = [("0010", "カレー", 1.5), ("0020", "ﾊﾔｼﾗｲｽ", 2.0), ("0030", "牛丼", None), ("0040", "アイス", 3.0),
            ("0050", "すし", 12.5)]
    table = dbf.Table(path, "code C(4); name C(20); qty N(6,1)", codepage="cp932", dbf_type="db3")
    table.open(dbf.READ_WRITE)
    for row in rows:
        table.append(row)
    dbf.delete(table[2])    # 0030 is flagged deleted by the other program
    table.close()

    def amount(value):
        return "" if value is None else "%6.1f" % value

    expect("dump", tool("dump", path),
           "".join(f"{i},{c},{n},{amount(q)}\n" for i, (c, n, q) in enumerate(rows) if c != "0030"))
    expect("dump --deleted", tool("dump", path, "--deleted").splitlines()[2], "2*,0030,牛丼,")
    expect("search by reading", tool("search", path, "NAME", "はやし", "はやし"), "1\n")
    expect("search a range", tool("search", path, "CODE", "0020", "0045"), "1\n3\n")

    # A middle insert rewrites the table; an overwrite and a delete by number follow.
    expect("insert", tool("write", path, "CODE", "CODE=0025", "NAME=ｵﾑﾗｲｽ", "QTY=4.0"), "1\n")
    expect("overwrite", tool("write", path, "CODE", "CODE=0040", "NAME=アイス", "QTY=3.5"), "2\n")
    expect("delete by number", tool("delete-record", path, "0"), "1\n")

    table = dbf.Table(path)
    table.open(dbf.READ_ONLY)
    seen = [(r.code, r.name.rstrip(), r.qty, dbf.is_deleted(r)) for r in table]
    table.close()
    expect("records after our rewrite", seen, [
        ("0020", "ﾊﾔｼﾗｲｽ", 2.0, False),
        ("0030", "牛丼", None, True),     # deleted records hold no key: 0025 goes before 0040
        ("0025", "ｵﾑﾗｲｽ", 4.0, False),
        ("0040", "アイス", 3.5, False),
        ("0050", "すし", 12.5, False),
    ])
    expect("search after the rewrite", tool("search", path, "NAME", "すし", "すし"), "4\n")
    return 0


CHECKS = {"dbfread": check_dbfread, "dbview": check_dbview, "pydbf": check_pydbf}


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in CHECKS:
        print(__doc__, file=sys.stderr)
        return 2
    with tempfile.TemporaryDirectory() as folder:
        tool = Tool(sys.argv[2], folder, "2028-03-01")
        try:
            result = CHECKS[sys.argv[1]](tool, folder)
        except Mismatch as m:
            print(f"{sys.argv[1]}: {m}", file=sys.stderr)
            return 1
    if result == SKIP:
        print(f"{sys.argv[1]}: the Python module is missing; skipped", file=sys.stderr)
    return result


if __name__ == "__main__":
    sys.exit(main())
