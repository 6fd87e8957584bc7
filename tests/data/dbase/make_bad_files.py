#!/usr/bin/env python3
"""Writes the broken .dbf files of bad/ and expected-messages.txt.

Each file is a way a table can be damaged or be something else; the table engine
must refuse it with the message listed, never crash, hang or allocate wildly.
Run again after adding a case: python3 make_bad_files.py
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "bad")


def descriptor(name, code, width, decimals=0):
    return name.encode("ascii").ljust(11, b"\0") + code.encode("ascii") + b"\0" * 4 + bytes([width, decimals]) + b"\0" * 14


def table(fields, records, version=0x03, count=None, header_length=None, record_length=None, driver=0x57):
    descs = b"".join(descriptor(*f) for f in fields)
    hl = 32 + len(descs) + 1 if header_length is None else header_length
    rl = 1 + sum(f[2] for f in fields) if record_length is None else record_length
    n = len(records) if count is None else count
    head = bytes([version, 105, 3, 1]) + struct.pack("<IHH", n, hl, rl) + b"\0" * 16 + bytes([1, driver, 0, 0])
    return head + descs + b"\r" + b"".join(records) + b"\x1a"


MOVE = [("DATA", "D", 8), ("IMPORTO", "N", 20, 4)]


def move(date, amount):
    return b" " + date.encode("ascii") + amount.encode("ascii").rjust(20)


CASES = {
    "empty.dbf": (b"", "non è una tabella dBase: è troppo corto"),
    "foxpro.dbf": (bytes([0x30]) + table(MOVE, [])[1:], "è una tabella FoxPro"),
    "text.dbf": (b"hello, this is a plain text file and not a table at all\n",
                 "non è una tabella dBase (codice di versione 0x68)"),
    "header-past-end.dbf": (table(MOVE, [], header_length=2000), "l'intestazione (2000 byte) va oltre la fine del file"),
    "header-too-short.dbf": (table(MOVE, [], header_length=20), "l'intestazione è troppo corta"),
    "count-beyond-size.dbf": (table(MOVE, [move("20050301", "1.0000")], count=1000),
                              "dichiara 1000 record ma ne contiene 1"),
    "count-huge.dbf": (table(MOVE, [], count=0xFFFFFFFF), "dichiara 4294967295 record ma ne contiene 0"),
    "date-width.dbf": (table([("DATA", "D", 10)], []), "il campo DATA ha una larghezza impossibile (10,0)"),
    "char-width-zero.dbf": (table([("NOME", "C", 0)], []), "il campo NOME ha una larghezza impossibile (0,0)"),
    "number-decimals.dbf": (table([("IMPORTO", "N", 5, 9)], []), "il campo IMPORTO ha una larghezza impossibile (5,9)"),
    "record-length.dbf": (table(MOVE, [], record_length=50),
                          "la lunghezza dei record (50) non corrisponde a quella dei campi (29)"),
    "no-fields.dbf": (table([], []), "la tabella non ha campi"),
    "descriptors-cut.dbf": (table(MOVE, [])[:32 + 40] , "la descrizione dei campi è incompleta"),
    "bad-number.dbf": (table(MOVE, [move("20050301", "12a.5")]),
                       "nel record 1 il campo IMPORTO contiene '12a.5', che non è un numero"),
    "bad-date.dbf": (table(MOVE, [move("20050301", "1.0000"), move("20051341", "2.0000")]),
                     "nel record 2 il campo DATA contiene '20051341', che non è una data"),
    "memo-field.dbf": (table([("NOTE", "M", 10)], [], version=0x83),
                       "contiene il campo NOTE di tipo 'M', che questo programma non sa leggere"),
    "unknown-version.dbf": (bytes([0x05]) + table(MOVE, [])[1:], "non è una tabella dBase (codice di versione 0x05)"),
}


def fix_descriptors_cut():
    # Header length claims two descriptors but the 0x0D and half the second are missing.
    data = bytearray(table(MOVE, []))
    data = data[:32 + 48]
    struct.pack_into("<H", data, 8, 32 + 48)
    return bytes(data)


CASES["descriptors-cut.dbf"] = (fix_descriptors_cut(), CASES["descriptors-cut.dbf"][1])

os.makedirs(OUT, exist_ok=True)
with open(os.path.join(HERE, "expected-messages.txt"), "w", encoding="utf-8") as listing:
    listing.write("# file<TAB>text the error message must contain (besides the file's path)\n")
    for name, (data, message) in sorted(CASES.items()):
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)
        listing.write(f"{name}\t{message}\n")
