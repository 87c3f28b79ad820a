#!/usr/bin/env python3
"""Writes the pathological metafiles the stress benchmark plays: small files
that cost a naive player quadratic time or huge memory. Usage:
pathological.py DIR [NAME...] (all of them when no name is given)."""
import os
import struct
import sys


def record(function, *words, data=b""):
    body = struct.pack("<%dH" % len(words), *[w & 0xFFFF for w in words]) + data
    if len(body) % 2:
        body += b"\0"
    return struct.pack("<IH", 3 + len(body) // 2, function) + body


def metafile(records, size=1000, objects=16):
    box = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, 0, 0, size, size, 1440, 0)
    checksum = 0
    for (word,) in struct.iter_unpack("<H", box):
        checksum ^= word
    body = b"".join(records) + record(0x0000)
    longest = max(len(r) // 2 for r in records) if records else 3
    header = struct.pack("<HHHIHIH", 1, 9, 0x300, 9 + len(body) // 2, objects, longest, 0)
    window = record(0x020B, 0, 0) + record(0x020C, size, size)
    return box + struct.pack("<H", checksum) + header + window + body


def pen(style, width, colour):
    return record(0x02FA, style, width, 0, colour & 0xFFFF, colour >> 16)


def select(slot):
    return record(0x012D, slot)


def delete(slot):
    return record(0x01F0, slot)


def lineto(x, y):
    return record(0x0213, y, x)


def moveto(x, y):
    return record(0x0214, y, x)


def font(height, face=b"Sans"):
    data = struct.pack("<hhhhhBBBBBBBB", height, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0)
    return record(0x02FB, data=data + face.ljust(32, b"\0"))


def textout(x, y, text):
    padded = text + (b"\0" if len(text) % 2 else b"")
    return record(0x0521, len(text), data=padded + struct.pack("<hh", y, x))


def zigzag_point(i, size=1000):
    return (i * 7919) % size, (i * 104729) % size


def zigzag(n, size=1000):
    return [zigzag_point(i, size) for i in range(n)]


def polyline(points):
    return record(0x0325, len(points), data=b"".join(struct.pack("<hh", x, y) for x, y in points))


def pen_swaps(bytes_wanted):
    """Two pens taking turns between LINETO records: a player that strokes
    its whole path again at every pen change does quadratic work."""
    out = [moveto(0, 0)]
    step, total = 0, 0
    while total < bytes_wanted:
        colour = 0x0000FF if step % 2 else 0xFF0000
        x, y = zigzag_point(step)
        batch = [pen(0, 1, colour), select(0), lineto(x, y), delete(0)]
        out += batch
        total += sum(map(len, batch))
        step += 1
    return metafile(out)


def dashed_polyline(dashed=True):
    return metafile([pen(1 if dashed else 0, 1, 0), select(0), polyline(zigzag(65535))])


def many_linetos(n=1_000_000):
    points = zigzag(n)
    return metafile([moveto(0, 0)] + [lineto(x, y) for x, y in points])


def many_savedc(n=1_000_000):
    return metafile([record(0x001E)] * n + [record(0x0127, 0xFFFF)])


def big_region(rectangles=200_000):
    """One region whose scans hold `rectangles` rectangles in all, used as a
    clip and filled."""
    per_scan = 1000
    scans = []
    for row in range(rectangles // per_scan):
        xs = []
        for i in range(per_scan):
            xs += [i * 30, i * 30 + 15]
        scans.append(struct.pack("<Hhh", len(xs), row * 3, row * 3 + 2)
                     + struct.pack("<%dh" % len(xs), *xs) + struct.pack("<H", len(xs)))
    data = b"".join(scans)
    head = struct.pack("<HhiHHHhhhh", 0, 6, rectangles, (len(data) + 22) & 0xFFFF, len(scans), per_scan * 2,
                       0, 0, 30000, len(scans) * 3)
    brush = record(0x02FC, 0, 0xFF, 0, 0)
    return metafile([record(0x06FF, data=head + data), brush, record(0x0228, 0, 1),
                     select(0), record(0x0416, 900, 900, 100, 100)], size=30000)


def dib_claims():
    """DIBs whose headers claim 65535 x 65535 pixels over a few bytes."""
    info = struct.pack("<IiiHHIIiiII", 40, 65535, 65535, 1, 32, 0, 0, 0, 0, 0, 0) + b"\xff" * 64
    stretch = record(0x0F43, 0x0020, 0x00CC, 0, 0, 65535, 65535, 1000, 1000, 0, 0, data=info)
    pattern = record(0x0142, 0, 0, data=info)
    blit = record(0x0B41, 0x0020, 0x00CC, 65535, 65535, 0, 0, 1000, 1000, 0, 0, data=info)
    return metafile([stretch, pattern, select(0), blit, record(0x041B, 1000, 1000, 0, 0)] * 50)


def font_heights(heights=(32767, -32768, 20000, -20000)):
    """Text in fonts of huge heights, many different glyphs."""
    out = []
    for height in heights:
        out += [font(height), select(0)]
        for i in range(200):
            text = bytes(33 + (i * 7 + j) % 94 for j in range(40))
            out.append(textout((i * 37) % 1000, (i * 53) % 1000, text))
        out.append(delete(0))
    return metafile(out)


def object_slots():
    """A table of 65535 slots filled with pens, then selected one by one."""
    out = [pen(0, i % 5, i * 2654435761 & 0xFFFFFF) for i in range(65535)]
    out += [record(0x012D, i) for i in range(0, 65535, 3)]
    return metafile(out, objects=65535)


FILES = {
    "pen-swaps-52k": lambda: pen_swaps(52_000),
    "pen-swaps-1m": lambda: pen_swaps(1_000_000),
    "dashed-polyline": dashed_polyline,
    "solid-polyline": lambda: dashed_polyline(False),
    "linetos-1m": many_linetos,
    "savedc-1m": many_savedc,
    "region-200k": big_region,
    "dib-claims": dib_claims,
    "font-heights": font_heights,
    "font-large": lambda: font_heights((3000, -3000, 1500, -1500)),
    "object-slots": object_slots,
}


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name in sys.argv[2:] or FILES:
        with open(os.path.join(out, name + ".wmf"), "wb") as f:
            f.write(FILES[name]())


if __name__ == "__main__":
    main()
