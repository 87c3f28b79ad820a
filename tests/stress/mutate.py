#!/usr/bin/env python3
"""Writes mutants of metafiles for hunting slow or crashing inputs: each
mutant takes one seed and changes a few things a hostile writer would (a
parameter word pushed to an extreme, a record repeated, a size word that
lies, flipped bits, a record dropped). Usage:
mutate.py OUT_DIR COUNT SEED_FILE... (the same COUNT and seeds always give
the same mutants)."""
import os
import random
import struct
import sys

PLACEABLE_KEY = b"\xd7\xcd\xc6\x9a"
HEADER_BYTES = 18


def records(data):
    """(offset, size) of each record after the headers, as far as the sizes hold."""
    offset = (22 if data[:4] == PLACEABLE_KEY else 0) + HEADER_BYTES
    found = []
    while offset + 6 <= len(data):
        words = struct.unpack_from("<I", data, offset)[0]
        if words < 3 or offset + words * 2 > len(data):
            break
        found.append((offset, words * 2))
        offset += words * 2
    return found


def mutate(data, rng):
    data = bytearray(data)
    for _ in range(rng.randint(1, 4)):
        spots = records(data)
        kind = rng.randrange(5)
        if kind == 3 or not spots:
            for _ in range(rng.randint(1, 8)):
                if data:
                    data[rng.randrange(len(data))] ^= 1 << rng.randrange(8)
            continue
        offset, size = rng.choice(spots)
        if kind == 0 and size > 6:
            at = offset + 6 + 2 * rng.randrange((size - 6) // 2)
            struct.pack_into("<H", data, at, rng.choice([0, 1, 0x7FFF, 0x8000, 0xFFFF]))
        elif kind == 1:
            data[offset:offset] = bytes(data[offset:offset + size]) * rng.choice([10, 100, 1000])
        elif kind == 2:
            struct.pack_into("<I", data, offset, rng.choice([3, 0xFFFF, 0x7FFFFFFF]))
        elif kind == 4:
            del data[offset:offset + size]
    return bytes(data)


def main():
    out, count, seeds = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
    os.makedirs(out, exist_ok=True)
    rng = random.Random(count)
    originals = [open(path, "rb").read() for path in seeds]
    for i in range(count):
        with open(os.path.join(out, "mutant-%05d.wmf" % i), "wb") as f:
            f.write(mutate(rng.choice(originals), rng))


if __name__ == "__main__":
    main()
