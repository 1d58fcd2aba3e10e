#!/usr/bin/env python3
"""Writes the added language lines (src/text/lang_added*.cpp) into the
shipped language files: each file keeps its first 96 lines and gets the
table's lines after them, English or Russian, in Windows-1251 with CR LF.
A line break inside a text is stored as "^p"."""
import ast
import pathlib
import re

root = pathlib.Path(__file__).resolve().parent.parent
entries = []
for source in sorted((root / "src/text").glob("lang_added*.cpp")):
    table = source.read_text(encoding="utf-8")
    for m in re.finditer(r"\{(\d+),((?:\s*\"(?:[^\"\\]|\\.)*\"\s*,?)+)\}", table):
        # Adjacent C string literals join the same way in Python.
        parts = ast.literal_eval("(" + m.group(2) + ")")
        entries.append((int(m.group(1)), parts))
entries.sort()
numbers = [n for n, _ in entries]
assert numbers == list(range(96, 96 + len(numbers))), "the added lines must run on without a gap"

first = 96
for name, column in (("english.lng", 1), ("russian.lng", 2)):
    path = root / "base/lang" / name
    lines = path.read_bytes().split(b"\r\n")[:first]
    for number, parts in entries:
        lines.append(parts[column].replace("\r\n", "^p").encode("cp1251"))
    path.write_bytes(b"\r\n".join(lines) + b"\r\n")
    print(name, len(lines), "lines")
