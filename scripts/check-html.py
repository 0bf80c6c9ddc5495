#!/usr/bin/env python3
"""Checks that HTML pages parse strictly: a doctype, UTF-8, every element closed in the order opened,
no stray end tag, no unknown character reference. Usage: check-html.py PAGE.html..."""
import sys
from html.parser import HTMLParser

VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "source", "track", "wbr"}


class StrictParser(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=False)
        self.open = []
        self.errors = []
        self.doctype = False

    def where(self):
        return "line %d" % self.getpos()[0]

    def handle_decl(self, decl):
        self.doctype = decl.lower() == "doctype html"

    def handle_starttag(self, tag, attrs):
        if tag not in VOID:
            self.open.append(tag)

    def handle_startendtag(self, tag, attrs):
        if tag not in VOID:
            self.errors.append("%s: <%s/> is not a void element" % (self.where(), tag))

    def handle_endtag(self, tag):
        if not self.open or self.open[-1] != tag:
            self.errors.append("%s: </%s> closes %s" % (self.where(), tag, self.open[-1] if self.open else "nothing"))
        else:
            self.open.pop()

    def handle_entityref(self, name):
        if name not in ("amp", "lt", "gt", "quot"):
            self.errors.append("%s: unexpected &%s;" % (self.where(), name))


def check(path):
    with open(path, "rb") as page:
        text = page.read().decode("utf-8")  # raises on bytes that are not UTF-8
    parser = StrictParser()
    parser.feed(text)
    parser.close()
    errors = parser.errors
    if not parser.doctype:
        errors.append("no <!DOCTYPE html>")
    if parser.open:
        errors.append("not closed: " + " ".join(parser.open))
    for error in errors:
        print("%s: %s" % (path, error))
    return not errors


if __name__ == "__main__":
    sys.exit(0 if all([check(path) for path in sys.argv[1:]]) else 1)
