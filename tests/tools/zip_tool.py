#!/usr/bin/python3
"""Zip archives for the tests, through Python's zipfile.

    zip_tool.py dump ARCHIVE        -> JSON: {"ok": testzip passed, "entries": [
                                        {name, method, date_time, crc, data(base64)}]}
    zip_tool.py raw ARCHIVE         -> JSON: [{name, flags, local, central}] in central order:
                                        local is every byte from the entry's local header to
                                        the next entry's (data descriptor included), central
                                        its central record with the offset field zeroed
                                        (both base64)
    zip_tool.py make ARCHIVE LIST [streamed]
                                    LIST is JSON: [[name, method, data(base64)], ...]
                                    (method 0 stored, 8 deflated); streamed writes as to a
                                    pipe: every entry with a data descriptor (flag bit 3)
"""
import base64
import io
import json
import struct
import sys
import zipfile


def b64(data):
    return base64.b64encode(data).decode("ascii")


class Unseekable:
    """A pipe as zipfile sees it: it can only be written."""

    def __init__(self):
        self.bytes = io.BytesIO()

    def write(self, data):
        return self.bytes.write(data)

    def flush(self):
        pass


if sys.argv[1] == "dump":
    with zipfile.ZipFile(sys.argv[2]) as z:
        ok = z.testzip() is None
        entries = [{"name": i.filename, "method": i.compress_type, "date_time": list(i.date_time),
                    "crc": i.CRC, "data": b64(z.read(i))}
                   for i in z.infolist()]
    print(json.dumps({"ok": ok, "entries": entries}))
elif sys.argv[1] == "raw":
    with open(sys.argv[2], "rb") as f:
        data = f.read()
    with zipfile.ZipFile(sys.argv[2]) as z:
        infos, start = z.infolist(), z.start_dir
    offsets = sorted(i.header_offset for i in infos) + [start]
    out, at = [], start
    for i in infos:
        n, m, k = struct.unpack("<HHH", data[at + 28:at + 34])
        record = bytearray(data[at:at + 46 + n + m + k])
        record[42:46] = b"\0\0\0\0"
        end = offsets[offsets.index(i.header_offset) + 1]
        out.append({"name": i.filename, "flags": i.flag_bits,
                    "local": b64(data[i.header_offset:end]), "central": b64(bytes(record))})
        at += len(record)
    print(json.dumps(out))
elif sys.argv[1] == "make":
    with open(sys.argv[3], encoding="utf-8") as f:
        listing = json.load(f)
    streamed = len(sys.argv) > 4 and sys.argv[4] == "streamed"
    target = Unseekable() if streamed else sys.argv[2]
    with zipfile.ZipFile(target, "w") as z:
        for name, method, data in listing:
            z.writestr(zipfile.ZipInfo(name, (2020, 5, 17, 12, 30, 0)), base64.b64decode(data),
                       compress_type=method)
    if streamed:
        with open(sys.argv[2], "wb") as f:
            f.write(target.bytes.getvalue())
