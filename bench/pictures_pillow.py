#!/usr/bin/python3
# The level pictures of a pack drawn and saved by Pillow, the way
# `trackpack pictures PACK OUTDIR` makes them: every track in pack order at
# ratio 8, green line, black zero line and flag poles, red rider pixel, white
# transparent GIF, and the catalogue bdpic.dat. Only the track-length presets
# (template rows 1..13) are known here, which is what `trackpack sample` uses.
# usage: pictures_pillow.py PACK OUTDIR
import os
import struct
import sys

from PIL import Image, ImageDraw

# Template rows 1..13: start x, finish x, player x, player y, header bytes 1..4.
PRESETS = [(102, f, 97, -112, k) for f, k in (
    (597, 1), (845, 11), (1106, 2), (1352, 12), (1602, 3), (1852, 13), (2097, 4),
    (2594, 5), (3092, 6), (3597, 7), (4096, 8), (4595, 9), (5095, 10))]
PRESET_ANCHOR = -125  # last four header bytes of every preset (ffffff83)
UNSAFE = '<>*@#%^&:;"\'?/\\|`,.+'
Q = 8


def read_pack(data):
    pos, entries = 0, []
    for group in (1, 2, 3):
        (count,) = struct.unpack_from('>I', data, pos)
        pos += 4
        for k in range(1, count + 1):
            (offset,) = struct.unpack_from('>I', data, pos)
            end = data.index(b'\0', pos + 4)
            entries.append([group, k, offset, data[pos + 4:end]])
            pos = end + 1
    for i, e in enumerate(entries):
        nxt = entries[i + 1][2] if i + 1 < len(entries) else len(data)
        e.append(data[e[2]:nxt if nxt >= e[2] else len(data)])
    return entries


def picture(block):
    hlen = 36 if len(block) > 27 and block[27] == 255 else 27
    head, points = block[:hlen], block[hlen:-1]
    templ = next((t for t in PRESETS if head[1:6] == struct.pack('>IB', t[4], 0)), None)
    sx, sy = (struct.unpack_from('>H', head, o)[0] for o in (1, 5))
    x, y = (v - 65535 if v > 32767 else v for v in (sx, sy))
    nodes = [(x, y)]
    for i in range(0, len(points) - 1, 2):
        dx, dy = points[i], points[i + 1]
        x += 0 if dx == 255 else dx
        y += 255 - dy if dy > 127 else -dy
        nodes.append((x, y))
    o = abs(min(n[1] for n in nodes)) + 100
    h = abs(max([0] + [n[1] for n in nodes[1:]])) + 100 + o
    w = max(1, nodes[-1][0] // Q)
    img = Image.new('P', (w, max(1, h // Q)), 0)
    img.putpalette([255, 255, 255, 0, 170, 0, 0, 0, 0, 255, 0, 0])
    draw = ImageDraw.Draw(img)
    draw.line([(nx // Q, (ny + o) // Q) for nx, ny in nodes], fill=1)
    draw.line([(0, o // Q), (w, o // Q)], fill=2)
    if templ:
        shift = struct.unpack_from('>i', head, hlen - 4)[0] - PRESET_ANCHOR
        for mark in (templ[0], templ[1]):
            s = 0
            for k in range(len(nodes) - 1):
                if nodes[k][0] < mark <= nodes[k + 1][0]:
                    s = k + 1
            px, py = nodes[s]
            draw.line([(px // Q, (py + o) // Q), (px // Q, (py + o - 15) // Q)], fill=2)
        draw.point((templ[2] // Q, int((templ[3] + shift + o) / Q)), fill=3)
    return img


def main(pack, outdir):
    with open(pack, 'rb') as f:
        entries = read_pack(f.read())
    os.makedirs(outdir, exist_ok=True)
    lines = []
    for group, k, _, name, block in entries:
        clean = name
        for c in UNSAFE.encode():
            clean = clean.replace(bytes([c]), b'_')
        file = b'%d%d-%s.gif' % (group, k, clean)
        picture(block).save(os.path.join(outdir, file.decode('cp1251')), transparency=0)
        lines.append(b'%d|%s|%s\r\n' % (group, name, file))
    with open(os.path.join(outdir, 'bdpic.dat'), 'wb') as f:
        f.write(b''.join(lines))


main(sys.argv[1], sys.argv[2])
