#!/usr/bin/env python3
"""Draws the desktop agent's cursors and program icon and writes them in the Windows formats.

    tools/make-agent-resources.py [OUTPUT_DIR]     (default: resources/agent)

drag.cur     "CUR_DRAG": a closed, grabbing hand, shown while a frame is dragged
enddrag.cur  "CUR_ENDDRAG": an open hand, shown over a frame that can be dragged
lmtagent.ico the program icon: a framed landscape, 16, 32 and 48 pixels

Both cursors are 32 x 32 with 32-bit colour and alpha and the hot spot at (16, 20). Shapes are
described with distance functions and sampled 8 x 8 per pixel, so the edges are anti-aliased.
Only the standard library is needed; the generated files are committed beside the resource script.
"""
import math
import os
import struct
import sys

SUPER = 8


def capsule(ax, ay, bx, by, r):
    def dist(x, y):
        dx, dy = bx - ax, by - ay
        t = ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy) if dx or dy else 0.0
        t = max(0.0, min(1.0, t))
        return math.hypot(x - (ax + t * dx), y - (ay + t * dy)) - r
    return dist


def rounded_rect(x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def dist(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - r
    return dist


def union(*parts):
    return lambda x, y: min(p(x, y) for p in parts)


def rect(x0, y0, x1, y1):
    return rounded_rect(x0, y0, x1, y1, 0.0)


def render(size, layers):
    """layers: list of (distance function, (r, g, b, a)) painted bottom to top, each covering
    what lies under it where the function is negative. Returns rows of (r, g, b, a), top first."""
    rows = []
    n = SUPER * SUPER
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]  # premultiplied
            for sy in range(SUPER):
                for sx in range(SUPER):
                    x = px + (sx + 0.5) / SUPER
                    y = py + (sy + 0.5) / SUPER
                    colour = (0, 0, 0, 0)
                    for shape, paint in layers:
                        if shape(x, y) < 0:
                            colour = paint
                    a = colour[3] / 255.0
                    acc[0] += colour[0] * a
                    acc[1] += colour[1] * a
                    acc[2] += colour[2] * a
                    acc[3] += a
            alpha = acc[3] / n
            if alpha > 0:
                rgb = tuple(int(round(c / acc[3])) for c in acc[:3])
            else:
                rgb = (0, 0, 0)
            row.append(rgb + (int(round(alpha * 255)),))
        rows.append(row)
    return rows


BLACK = (0, 0, 0, 255)
WHITE = (255, 255, 255, 255)
SEAM = (70, 70, 70, 255)
OUTLINE = 1.1


def hand(parts, seams):
    body = union(*parts)
    outline = lambda x, y: body(x, y) - OUTLINE
    layers = [(outline, BLACK), (body, WHITE)]
    layers += [(s, SEAM) for s in seams]
    return layers


def open_hand():
    # Fingers spread upwards, thumb out to the left; the palm's centre is at the hot spot (16, 20).
    parts = [
        rounded_rect(9.0, 13.5, 23.5, 28.5, 4.5),
        capsule(11.2, 15.0, 10.2, 6.5, 1.75),
        capsule(14.7, 14.0, 14.5, 3.0, 1.75),
        capsule(18.2, 14.0, 18.6, 3.8, 1.75),
        capsule(21.6, 15.5, 22.6, 7.5, 1.65),
        capsule(10.5, 22.0, 4.5, 14.5, 1.9),
    ]
    seams = [
        capsule(12.95, 14.3, 12.95, 11.0, 0.45),
        capsule(16.45, 14.3, 16.45, 10.5, 0.45),
        capsule(19.95, 14.3, 20.05, 11.0, 0.45),
    ]
    return hand(parts, seams)


def closed_hand():
    # The same hand gripping: fingers curled over the palm, thumb tucked along its side.
    parts = [
        rounded_rect(8.5, 12.0, 23.5, 28.5, 4.5),
        capsule(11.0, 13.5, 11.0, 11.5, 1.9),
        capsule(14.6, 12.5, 14.6, 10.0, 1.9),
        capsule(18.2, 12.5, 18.2, 10.2, 1.9),
        capsule(21.6, 13.5, 21.6, 12.0, 1.8),
        capsule(9.8, 22.5, 6.5, 17.5, 2.0),
    ]
    seams = [
        capsule(12.8, 10.6, 12.8, 15.5, 0.45),
        capsule(16.4, 9.6, 16.4, 15.5, 0.45),
        capsule(20.0, 10.6, 20.0, 15.5, 0.45),
        capsule(10.8, 16.8, 21.8, 16.8, 0.45),
    ]
    return hand(parts, seams)


def icon_layers(size):
    s = size / 32.0

    def sc(f, *args):
        return f(*[a * s for a in args])
    # Wooden frame, white mat, sky, hills and a sun; a soft shadow under the frame.
    return [
        (sc(rounded_rect, 3.0, 4.5, 31.5, 31.0, 2.5), (0, 0, 0, 70)),
        (sc(rounded_rect, 1.0, 2.0, 30.0, 29.0, 2.0), (120, 74, 32, 255)),
        (sc(rect, 3.5, 4.5, 27.5, 26.5), (214, 170, 96, 255)),
        (sc(rect, 5.0, 6.0, 26.0, 25.0), (250, 248, 240, 255)),
        (sc(rect, 6.5, 7.5, 24.5, 23.5), (92, 160, 226, 255)),
        (lambda x, y: max(sc(rect, 6.5, 7.5, 24.5, 23.5)(x, y),
                          math.hypot(x - 9 * s, y - 31 * s) - 12 * s), (60, 150, 70, 255)),
        (lambda x, y: max(sc(rect, 6.5, 7.5, 24.5, 23.5)(x, y),
                          math.hypot(x - 23 * s, y - 32 * s) - 11 * s), (40, 120, 56, 255)),
        (lambda x, y: math.hypot(x - 19.5 * s, y - 12.5 * s) - 2.6 * s, (255, 214, 64, 255)),
    ]


def dib(rows, size):
    """A 32-bit BGRA bitmap (bottom-up, height doubled for the mask) and its AND mask."""
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + pixels + bytes(mask)


def write_group(path, kind, images):
    """kind 1 = icon, 2 = cursor; images: list of (size, rows, hotspot)."""
    out = struct.pack('<HHH', 0, kind, len(images))
    offset = 6 + 16 * len(images)
    blobs = []
    for size, rows, hotspot in images:
        blob = dib(rows, size)
        if kind == 2:
            planes, bits = hotspot
        else:
            planes, bits = 1, 32
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, planes, bits, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    with open(path, 'wb') as f:
        f.write(out + b''.join(blobs))


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, 'resources', 'agent')
    os.makedirs(out, exist_ok=True)
    hotspot = (16, 20)
    write_group(os.path.join(out, 'drag.cur'), 2, [(32, render(32, closed_hand()), hotspot)])
    write_group(os.path.join(out, 'enddrag.cur'), 2, [(32, render(32, open_hand()), hotspot)])
    write_group(os.path.join(out, 'lmtagent.ico'), 1,
                [(n, render(n, icon_layers(n)), None) for n in (48, 32, 16)])


if __name__ == '__main__':
    main()
