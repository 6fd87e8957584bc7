"""Prints a dBase table as Python's dbfread sees it, for the independent-reader tests.

Usage: /usr/bin/python3 dbfread_dump.py FILE.dbf

Output, UTF-8:
    encoding: <the code page dbfread chose from the header's language driver>
    fields: NAME:TYPE:LENGTH:DECIMALS ...
    then one line per live record: NAME=value TAB NAME=value ...
Text has its trailing blanks removed; dates are yyyymmdd; numbers are printed from
their decimal text, never through a float; logicals T or F; empty fields print
nothing after "=".

No encoding is passed to dbfread: it must find Windows-1252 from the file itself.
"""

import decimal
import sys

from dbfread import DBF, FieldParser


class ExactNumbers(FieldParser):
    def parseN(self, field, data):
        text = data.strip().decode("ascii")
        if not text:
            return None
        value = decimal.Decimal(text)
        return value.quantize(decimal.Decimal(1).scaleb(-field.decimal_count)) if field.decimal_count else value


def show(value):
    if value is None:
        return ""
    if value is True:
        return "T"
    if value is False:
        return "F"
    if hasattr(value, "strftime"):
        return value.strftime("%Y%m%d")
    return str(value)


def main():
    table = DBF(sys.argv[1], parserclass=ExactNumbers, char_decode_errors="strict", load=False)
    print("encoding:", table.encoding)
    print("fields:", " ".join(f"{f.name}:{f.type}:{f.length}:{f.decimal_count}" for f in table.fields))
    for record in table:  # deleted records are skipped
        print("\t".join(f"{name}={show(value)}" for name, value in record.items()))


if __name__ == "__main__":
    main()
