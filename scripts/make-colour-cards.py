#!/usr/bin/python3
"""Writes the example standard colour card library data/StdColor.xlsx for the TQ320.

Sheet 1: A1 the model; A2 the card count, B2 its CRC; rows 3 on one card each (two names,
its number of colour rows, a second value, the CRC of its 36-byte record); rows 50 on the
colour rows (name, L*, a*, b*). Every CRC is CRC-16/MODBUS, as the meter checks it.

Usage: /usr/bin/python3 scripts/make-colour-cards.py [output.xlsx]
"""
import datetime
import os
import struct
import sys
import zipfile

import openpyxl

MODEL = "TQ320"
FIRST_COLOUR_ROW = 50

# (first name, second name, second value, colour rows as (name, L*, a*, b*))
CARDS = [
    ("Lumivex", "Whites", 1, [
        ("Paper white", 95.12, -0.85, 2.31),
        ("Snow", 97.40, 0.12, -1.05),
        ("Ivory", 92.66, 0.47, 9.8),
        ("Chalk", 90.05, -0.3, 3.5),
    ]),
    ("Lumivex", "Greys", 2, [
        ("Grey 20", 79.93, 0.0, -0.42),
        ("Grey 50", 53.39, -0.17, 0.61),
        ("Grey 80", 21.25, 0.33, -1.2),
    ]),
    ("Lumivex", "Colours", 3, [
        ("Signal red", 41.22, 58.3, 38.91),
        ("Sky blue", 61.7, -9.45, -32.06),
        ("Leaf green", 52.18, -41.9, 35.27),
    ]),
]


def crc16_modbus(data: bytes) -> int:
    crc = 0xFFFF
    for byte in data:
        crc ^= byte
        for _ in range(8):
            crc = (crc >> 1) ^ 0xA001 if crc & 1 else crc >> 1
    return crc


def name_field(name: str) -> bytes:
    raw = name.encode("utf-8")
    assert len(raw) <= 16, name
    return raw.ljust(16, b"\0")


def card_crc(name1: str, name2: str, rows: int, value2: int) -> int:
    return crc16_modbus(name_field(name1) + name_field(name2) + struct.pack("<HH", rows, value2))


def main() -> None:
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "data", "StdColor.xlsx")
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "Sheet1"
    sheet.cell(1, 1, MODEL)
    sheet.cell(2, 1, len(CARDS))
    sheet.cell(2, 2, crc16_modbus(struct.pack("<H", len(CARDS))))
    colour_row = FIRST_COLOUR_ROW
    for i, (name1, name2, value2, colours) in enumerate(CARDS):
        row = 3 + i
        for column, value in enumerate((name1, name2, len(colours), value2,
                                        card_crc(name1, name2, len(colours), value2)), 1):
            sheet.cell(row, column, value)
        for name, *values in colours:
            sheet.cell(colour_row, 1, name)
            for column, value in enumerate(values, 2):
                sheet.cell(colour_row, column, value)
            colour_row += 1
    # Fixed document and archive times keep the file the same from run to run.
    stamp = datetime.datetime(2026, 1, 1)
    book.properties.created = stamp
    book.properties.modified = stamp
    book.save(out)
    with zipfile.ZipFile(out) as archive:
        parts = [(info.filename, archive.read(info)) for info in archive.infolist()]
    with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED) as archive:
        for name, data in parts:
            archive.writestr(zipfile.ZipInfo(name, stamp.timetuple()[:6]), data, zipfile.ZIP_DEFLATED)


if __name__ == "__main__":
    main()
