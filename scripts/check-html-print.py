#!/usr/bin/env python3
"""Checks that an HTML report printed to PDF lost no column: every table of the page (in its order) has its
heading row, every column heading in it, on one line of the PDF's text (pdftotext -layout); the headings of
the other tables (sensitivity) all appear in the text.
Usage: check-html-print.py PAGE.html PDF.txt"""
import sys
from html.parser import HTMLParser


class Headings(HTMLParser):
    """The column headings of each table: its th texts, row by row."""

    def __init__(self):
        super().__init__()
        self.tables = []
        self.row = None
        self.cell = None

    def handle_starttag(self, tag, attrs):
        if tag == "table":
            self.tables.append([])
        elif tag == "tr" and self.tables:
            self.row = []
            self.tables[-1].append(self.row)
        elif tag == "th" and self.row is not None:
            self.cell = []

    def handle_endtag(self, tag):
        if tag == "th" and self.cell is not None:
            self.row.append(" ".join("".join(self.cell).replace("↓", " ").split()))
            self.cell = None
        elif tag == "tr":
            self.row = None

    def handle_data(self, data):
        if self.cell is not None:
            self.cell.append(data)


def main(page, text_file):
    parser = Headings()
    with open(page, encoding="utf-8") as f:
        parser.feed(f.read())
    with open(text_file, encoding="utf-8") as f:
        text = f.read()
    heading_lines = [line.replace("↓", " ").split() for line in text.splitlines() if "C баз" in line]
    words = set(text.replace("↓", " ").split())
    errors = []
    simplex = 0
    for number, rows in enumerate(parser.tables, 1):
        simplex_rows = [row for row in rows if row[:3] == ["C баз", "Имя", "X баз"]]
        for row in simplex_rows:
            expected = " ".join(row).split()
            got = heading_lines[simplex] if simplex < len(heading_lines) else []
            if got != expected:
                errors.append("table %d: headings %s, printed %s" % (number, expected, got))
            simplex += 1
        if not simplex_rows and rows:
            missing = [word for heading in rows[0] for word in heading.split() if word not in words]
            if missing:
                errors.append("table %d: headings %s missing on paper" % (number, missing))
    if simplex != len(heading_lines):
        errors.append("%d tables in the page, %d heading rows on paper" % (simplex, len(heading_lines)))
    for error in errors:
        print("%s: %s" % (page, error))
    return 1 if errors else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2]))
