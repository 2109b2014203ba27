#!/usr/bin/env python3
"""Writes the small GIF files that claim huge frames, for measuring what a load costs:

    python3 scripts/make-hostile-gifs.py OUTDIR
    /usr/bin/time -v build/tools/corpogif/corpogif info OUTDIR/filled-16383-x1000.gif >/dev/null

huge-32767-x3000.gif    3000 frames of 32767 x 32767, transparent, one data byte each
huge-65535-x3000.gif    the same at 65535 x 65535 (read as -1 x -1)
near-limit-16383-x1000.gif
                        1000 frames just under one bitmap's limit, transparent, tiny data
filled-16383-x1000.gif  the same, but the first four frames carry data that fills them
                        (12-bit codes naming 4091-pixel strings): the worst case for the
                        per-load pixel budget
one-pixel-16000-x200.gif
                        200 frames of 16000 x 16000 with one pixel of data each, about 3 KB
one-frame-16383.gif     one 16383 x 16383 frame with one pixel of data, under 50 bytes
index0-16383-x5000.gif  5000 frames just under one bitmap's limit whose transparent index is
                        0, so that the pixels their data does not reach are transparent,
                        under 64 KB
"""
import os
import struct
import sys


def sub_blocks(payload):
    out = bytearray()
    for at in range(0, len(payload), 255):
        chunk = payload[at:at + 255]
        out.append(len(chunk))
        out += chunk
    out.append(0)
    return bytes(out)


def pack(codes):
    buffer = bits = 0
    out = bytearray()
    for code, width in codes:
        buffer |= code << bits
        bits += width
        while bits >= 8:
            out.append(buffer & 255)
            buffer >>= 8
            bits -= 8
    if bits:
        out.append(buffer & 255)
    return bytes(out)


def filling_data(pixels):
    """Code size 2: clear, a root, then every new slot in turn (strings growing by one
    pixel) until the table is full, then the longest string again and again."""
    codes = [(4, 3), (1, 3)]
    next_slot, width, total, length = 6, 3, 1, 1
    while next_slot < 4096:
        codes.append((next_slot, width))
        length += 1
        total += length
        next_slot += 1
        if next_slot >= (1 << width) and width < 12:
            width += 1
    while total < pixels:
        codes.append((4095, 12))
        total += length
    return b'\x02' + sub_blocks(pack(codes))


TINY_DATA = b'\x02\x01\x44\x00'
# Code size 2: a clear code, index 1, the end code: one pixel.
ONE_PIXEL = b'\x02' + sub_blocks(pack([(4, 3), (1, 3), (5, 3)]))


def screen(width, height):
    return (b'GIF89a' + struct.pack('<HH', width, height) + bytes([0xF1, 0, 0]) +
            bytes(range(12)))


def frame(width, height, data=TINY_DATA, transparent=True, index=2):
    control = b'\x21\xf9\x04\x01\x01\x00' + bytes([index, 0]) if transparent else b''
    return control + b'\x2c' + struct.pack('<HHHH', 0, 0, width, height) + b'\x00' + data


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else '.'
    os.makedirs(out, exist_ok=True)
    files = {
        'huge-32767-x3000.gif': screen(32767, 32767) + frame(32767, 32767) * 3000,
        'huge-65535-x3000.gif': screen(65535, 65535) + frame(65535, 65535) * 3000,
        'near-limit-16383-x1000.gif': screen(16383, 16383) + frame(16383, 16383) * 1000,
        'filled-16383-x1000.gif': (screen(16383, 16383) +
                                   frame(16383, 16383, filling_data(16383 * 16383)) * 4 +
                                   frame(16383, 16383) * 996),
        'one-pixel-16000-x200.gif': (screen(16000, 16000) +
                                     frame(16000, 16000, ONE_PIXEL, False) * 200),
        'one-frame-16383.gif': screen(16383, 16383) + frame(16383, 16383, ONE_PIXEL, False),
        'index0-16383-x5000.gif': (screen(16383, 16383) +
                                   frame(16383, 16383, ONE_PIXEL, True, 0) * 5000)[:65535],
    }
    for name, body in files.items():
        with open(os.path.join(out, name), 'wb') as f:
            f.write(body + b';')
        print(name, len(body) + 1, 'bytes')


if __name__ == '__main__':
    main()
