#!/usr/bin/python3
"""Zip archives for the tests, through Python's zipfile.

    zip_tool.py dump ARCHIVE        -> JSON: {"ok": testzip passed, "entries": [
                                        {name, method, date_time, crc, data(base64)}]}
    zip_tool.py make ARCHIVE LIST   LIST is JSON: [[name, method, data(base64)], ...]
                                    (method 0 stored, 8 deflated)
"""
import base64
import json
import sys
import zipfile

if sys.argv[1] == "dump":
    with zipfile.ZipFile(sys.argv[2]) as z:
        ok = z.testzip() is None
        entries = [{"name": i.filename, "method": i.compress_type, "date_time": list(i.date_time),
                    "crc": i.CRC, "data": base64.b64encode(z.read(i)).decode("ascii")}
                   for i in z.infolist()]
    print(json.dumps({"ok": ok, "entries": entries}))
elif sys.argv[1] == "make":
    with open(sys.argv[3], encoding="utf-8") as f:
        listing = json.load(f)
    with zipfile.ZipFile(sys.argv[2], "w") as z:
        for name, method, data in listing:
            z.writestr(zipfile.ZipInfo(name, (2020, 5, 17, 12, 30, 0)), base64.b64decode(data),
                       compress_type=method)
