#!/usr/bin/env python3
"""Makes the Windows icon file of the program from its XPM images, so that
icon 128 of the resource script shows the same pixels as the Linux icon.

    xpm_to_ico.py OUTPUT.ico IMAGE.xpm...

Each image becomes a 16-colour entry (4 bits a pixel, the palette of the
XPM's colours) with its transparency mask; "None" is transparent."""

import re
import struct
import sys


def read_xpm(path):
    with open(path, encoding="ascii") as f:
        strings = re.findall(r'"((?:[^"\\]|\\.)*)"', f.read())
    width, height, count, chars = (int(v) for v in strings[0].split()[:4])
    colours = {}
    for line in strings[1:1 + count]:
        key, rest = line[:chars], line[chars:].split()
        value = rest[rest.index("c") + 1]
        colours[key] = None if value.lower() == "none" else int(value.lstrip("#"), 16)
    rows = strings[1 + count:1 + count + height]
    pixels = [[colours[row[x * chars:(x + 1) * chars]] for x in range(width)] for row in rows]
    return width, height, pixels


def icon_image(width, height, pixels):
    palette = sorted({p for row in pixels for p in row if p is not None})
    if len(palette) > 16:
        raise SystemExit("an icon image has more than 16 colours")
    palette += [0] * (16 - len(palette))
    xor_stride = ((width * 4 + 31) // 32) * 4
    and_stride = ((width + 31) // 32) * 4
    xor_rows, and_rows = [], []
    for row in reversed(pixels):  # bottom-up, as a DIB is stored
        xor = bytearray(xor_stride)
        mask = bytearray(and_stride)
        for x, p in enumerate(row):
            index = 0 if p is None else palette.index(p)
            xor[x // 2] |= index << (4 if x % 2 == 0 else 0)
            if p is None:
                mask[x // 8] |= 0x80 >> (x % 8)
        xor_rows.append(bytes(xor))
        and_rows.append(bytes(mask))
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 4, 0,
                         (xor_stride + and_stride) * height, 0, 0, 16, 0)
    colours = b"".join(struct.pack("<BBBB", c & 0xFF, (c >> 8) & 0xFF, c >> 16, 0)
                       for c in palette)
    return header + colours + b"".join(xor_rows) + b"".join(and_rows)


def main():
    output, images = sys.argv[1], sys.argv[2:]
    entries = [read_xpm(path) for path in images]
    data = [icon_image(*entry) for entry in entries]
    offset = 6 + 16 * len(entries)
    directory = struct.pack("<HHH", 0, 1, len(entries))
    for (width, height, _), image in zip(entries, data):
        directory += struct.pack("<BBBBHHII", width % 256, height % 256, 16, 0, 1, 4,
                                 len(image), offset)
        offset += len(image)
    with open(output, "wb") as f:
        f.write(directory + b"".join(data))


if __name__ == "__main__":
    main()
