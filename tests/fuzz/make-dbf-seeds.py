#!/usr/bin/env python3
"""Writes the seed corpus of fuzz_dbf to corpus/dbf/: small tables of the shapes the program
keeps, each behind the fuzzer's byte of choices (see DbfFuzzer.cpp)."""

import os
import struct

SIGNATURE = bytes.fromhex("020AFFD425267DF5A209")


def table(fields, records, deleted=(), signed=False):
    head = struct.pack("<BBBBIHH20x", 3, 113, 12, 6, len(records), 33 + 32 * len(fields),
                       1 + sum(length for _, _, length in fields))
    for name, kind, length in fields:
        head += name.encode("cp932").ljust(11, b"\0") + kind.encode() + bytes(4) + bytes([length, 0]) + bytes(14)
    head += b"\r"
    body = b""
    for i, values in enumerate(records):
        body += b"*" if i in deleted else b" "
        for (_, _, length), value in zip(fields, values):
            body += value.encode("cp932").ljust(length, b" ")[:length]
    return (SIGNATURE if signed else b"") + head + body + b"\x1a"


DISHES = [("コード", "C", 4), ("名前", "C", 16), ("よみ", "C", 10)]
SEEDS = {
    "empty": (0x00, table(DISHES, [])),
    "dishes": (0x02, table(DISHES, [("0010", "カレー", "ｶﾚｰ"), ("0020", "ハヤシ", "ﾊﾔｼ"), ("0030", "牛丼", "ｷﾞｭｳﾄﾞﾝ")])),
    "deleted": (0x18, table(DISHES, [("0010", "すし", "ｽｼ"), ("0020", "そば", "ｿﾊﾞ")], deleted={0})),
    "food": (0x03, table([("食品番号", "C", 5), ("食品名", "C", 40), ("エネルギー", "N", 6)],
                         [("01001", "アマランサス　玄穀", "   358"), ("01002", "あわ　精白粒", "   364")], signed=True)),
    "dates": (0x0E, table([("記録日付", "D", 8), ("体重", "N", 5)], [("20130401", " 60.5"), ("20280229", " 59.0")])),
}

here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "dbf")
os.makedirs(here, exist_ok=True)
for name, (choices, data) in SEEDS.items():
    with open(os.path.join(here, name), "wb") as f:
        f.write(bytes([choices]) + data)
