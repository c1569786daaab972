#!/usr/bin/env python3
"""Writes the seed corpus of fuzz_menu_clipboard to corpus/menuclip/: blocks of both kinds as
the menu screen copies them, each behind the fuzzer's byte of choice (see
MenuClipboardFuzzer.cpp)."""

import os
import struct


def record(meal, food, grams=0.0, name=""):
    return struct.pack("<BHd", meal, food, grams) + name.encode("cp932").ljust(41, b"\0")[:41]


def block(marker, text, records):
    return (text.encode("cp932") + b"\0" + marker + struct.pack("<H", len(records)) + b"".join(records)
            + marker + b"\0")


ROWS = [record(0, 88, 150.0), record(0, 65535, 0.0, "卵かけご飯"), record(0, 1500, 50.0)]
DAY = ROWS + [record(2, 300, 100.0), record(3, 900, 60.0)]
SEEDS = {
    "rows": (0x00, block(b"DMMenuData", "ごはん\t150.0\r\n卵かけご飯\r\n　卵\t50.0\r\n", ROWS)),
    "day": (0x01, block(b"DMMenuAllData", "食品名\t分量(g)\r\n朝食\r\na\r\nb\r\nc\r\n夕食\r\nd\r\n間食\r\ne\r\n", DAY)),
    "empty-rows": (0x00, block(b"DMMenuData", "", [])),
}

if __name__ == "__main__":
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "menuclip")
    os.makedirs(out, exist_ok=True)
    for name, (choice, data) in SEEDS.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(bytes([choice]) + data)
