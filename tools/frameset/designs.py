"""The frame designs. Each builder returns a Frame: its canvas, photo area and note area.

Geometry rules every design keeps (the editor's renderer relies on them):
- the photo area (ImageHold) has the proportions of the photo canvas: 4:3 landscape, 3:4 portrait;
- the opening of the frame lies 2 pixels inside the photo area on every side, so the photo edge, which
  the renderer draws a little larger than the area, always slips under opaque frame;
- a note area (TextHold) lies on light, opaque frame, so a note in any dark colour reads on it.
"""
import math
from dataclasses import dataclass

import numpy as np

from raster import (Canvas, Moulding, blur, brushed_texture, cover, drop_shadow, fbm, grain_texture,
                    metal_shade, mix, oriented, polygon_mask, rgb, sd_box, sd_circle, shade, shift,
                    smooth_noise, smoothstep, stroke_mask)

TUCK = 2          # the opening lies this far inside the photo area
PAD_LT = 8        # transparent margin left and top (room for the soft shadow)
PAD_RB = 16       # right and bottom margin (the shadow falls this way)


@dataclass
class Frame:
    ini: str
    png: str
    landscape: bool
    canvas: Canvas
    image_hold: tuple
    text_hold: tuple = None


def photo_area(left, top, width, landscape):
    """A photo area of the given width with the canvas proportions."""
    height = width * 3 // 4 if landscape else width * 4 // 3
    return (left, top, left + width, top + height)


def opening(hold):
    l, t, r, b = hold
    return (l + TUCK, t + TUCK, r - TUCK, b - TUCK)


def finish(cv, shadow=True, **kw):
    if shadow:
        drop_shadow(cv, **kw)
    return cv


# ---- shared parts --------------------------------------------------------------------------------

def arch(x, power=1.0):
    """sin(pi x) for x in 0..1, never negative, raised to a power (rounder or sharper humps)."""
    return np.clip(np.sin(np.pi * np.clip(x, 0, 1)), 0, 1) ** power


def profile_bullnose(t):
    """Rounded top with a small sunken lip at the inside."""
    main = arch(t / 0.86, 0.6)
    lip = 0.18 + 0.12 * arch((t - 0.86) / 0.14)
    return np.where(t < 0.86, 0.15 + 0.85 * main, lip)


def profile_cove(t):
    """Outer bead, a hollow cove and a raised inner lip: a classic picture moulding."""
    bead = arch(t / 0.22, 0.7)
    cove = 0.55 - 0.35 * arch((t - 0.22) / 0.58)
    lip = 0.6 + 0.3 * arch((t - 0.8) / 0.2, 0.8)
    return np.where(t < 0.22, 0.2 + 0.8 * bead,
                    np.where(t < 0.8, cove, lip * np.clip((1 - t) * 40, 0.4, 1)))


def profile_flat(t):
    """A wide flat face with rounded outer edge and a small inner step."""
    edge = arch(t / 0.36, 0.8)
    face = 1.0 - 0.1 * t
    step = 0.55
    return np.where(t < 0.18, edge * 0.95, np.where(t < 0.9, face, step))


def paper_texture(w, h, rng, base, amount=0.035):
    n = fbm(w, h, 3.0, 3.0, rng, octaves=3) - 0.5
    return np.clip(base[None, None, :] + n[..., None] * amount * 2, 0, 1)


def mat_bevel(cv, hold, width=4.0, core=rgb('#fbf8f0')):
    """The cut edge of a mat around the opening: a thin bevel lit differently on each side."""
    l, t, r, b = opening(hold)
    m = Moulding(cv, l - width, t - width, r + width, b + width, width)
    tone = np.select([m.side == 0, m.side == 1, m.side == 2, m.side == 3], [0.92, 1.0, 0.84, 0.8])
    cv.paint(core * tone[..., None], m.cover)


def inner_shadow_line(cv, hold, strength=0.35):
    """A fine dark line right at the opening, so the photo reads as set behind the frame."""
    l, t, r, b = opening(hold)
    sd = sd_box(cv.X, cv.Y, l, t, r, b)
    ring = np.clip(1 - np.abs(sd + 0.5), 0, 1)
    cv.paint(rgb('#000000'), ring * strength)


def heart_polygon(cx, cy, size, angle=0.0, n=90):
    pts = []
    for i in range(n):
        a = 2 * math.pi * i / n
        x = 16 * math.sin(a) ** 3
        y = -(13 * math.cos(a) - 5 * math.cos(2 * a) - 2 * math.cos(3 * a) - math.cos(4 * a))
        x, y = x * size / 32, y * size / 32
        ca, sa = math.cos(angle), math.sin(angle)
        pts.append((cx + x * ca - y * sa, cy + x * sa + y * ca))
    return pts


def star_polygon(cx, cy, r_out, r_in, points=5, angle=-math.pi / 2):
    pts = []
    for i in range(points * 2):
        r = r_out if i % 2 == 0 else r_in
        a = angle + math.pi * i / points
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def sphere(cv, cx, cy, r, colour, gloss=0.8):
    """A shaded ball (berries, baubles, beads)."""
    X, Y = cv.X, cv.Y
    d = np.hypot(X - cx, Y - cy)
    inside = cover(d - r, 1.0)
    z = np.sqrt(np.clip(1 - (d / r) ** 2, 0, 1))
    h = z * r
    col = shade(colour, h * (d < r + 1), ambient=0.45, diffuse=0.75, specular=gloss, shininess=40)
    cv.paint(col, inside)


def blossom(cv, cx, cy, r, petal, centre, petals=5, angle=0.0, centre_r=0.32, petal_width=0.36):
    """A simple flower: shaded petals around a dotted centre."""
    X, Y = cv.X, cv.Y
    for i in range(petals):
        a = angle + 2 * math.pi * i / petals
        px, py = cx + math.cos(a) * r * 0.52, cy + math.sin(a) * r * 0.52
        # A petal: an ellipse along its direction.
        dx, dy = X - px, Y - py
        u = dx * math.cos(a) + dy * math.sin(a)
        v = -dx * math.sin(a) + dy * math.cos(a)
        pw = r * petal_width
        k = np.hypot(u / (r * 0.55), v / pw)
        m = np.clip((1 - k) * pw + 0.5, 0, 1)
        vein = 0.92 + 0.08 * np.clip(1 - np.abs(v) / (pw * 0.8), 0, 1)
        tone = mix(petal * 0.84, petal, np.clip(1 - k, 0, 1) ** 0.4)
        cv.paint(tone * vein[..., None], m)
        # A faint edge between petals.
        edge = np.clip(1 - np.abs(k - 1) * pw, 0, 1) * 0.14
        cv.paint(petal * 0.6, edge)
    d = np.hypot(X - cx, Y - cy)
    h = np.sqrt(np.clip(1 - (d / (r * centre_r)) ** 2, 0, 1)) * r * centre_r * 0.6
    col = shade(centre, h, ambient=0.6, diffuse=0.6, specular=0.2)
    cv.paint(col, cover(d - r * centre_r))


def leaf(cv, x0, y0, x1, y1, width, colour, vein=True):
    """A pointed leaf from (x0, y0) to (x1, y1), lit across its midrib."""
    X, Y = cv.X, cv.Y
    lx, ly = x1 - x0, y1 - y0
    length = math.hypot(lx, ly)
    ux, uy = lx / length, ly / length
    u = (X - x0) * ux + (Y - y0) * uy
    v = -(X - x0) * uy + (Y - y0) * ux
    s = np.clip(u / length, 0, 1)
    half = width / 2 * arch(s, 0.8)
    inside = np.clip(half - np.abs(v) + 0.5, 0, 1) * (u > 0) * (u < length)
    side = np.where(v < 0, 1.0, 0.72)
    col = colour[None, None, :] * side[..., None] * (0.85 + 0.15 * s)[..., None]
    cv.paint(col, inside)
    if vein:
        rib = np.clip(1 - np.abs(v) * 1.2, 0, 1) * inside * (s < 0.92)
        cv.paint(colour * 1.35, rib * 0.5)


def band_t(sd_outer, sd_inner):
    """Position across a band between an outer outline and an opening: 0 outside, 1 at the opening."""
    d_out = np.maximum(-sd_outer, 0.0)
    d_in = np.maximum(sd_inner, 0.0)
    return np.clip(d_out / np.maximum(d_out + d_in, 1e-3), 0.0, 1.0)


def holly_leaf(cx, cy, length, width, angle, spikes=4):
    """Outline of a spiky holly leaf pointing along angle from (cx, cy)."""
    pts_l, pts_r = [], []
    steps = spikes * 2
    for i in range(steps + 1):
        s = i / steps
        half = width / 2 * math.sin(math.pi * s) ** 0.7
        if i % 2 == 1:
            half *= 0.62
        pts_l.append((s * length, -half))
        pts_r.append((s * length, half))
    outline = pts_l + pts_r[::-1]
    ca, sa = math.cos(angle), math.sin(angle)
    return [(cx + x * ca - y * sa, cy + x * sa + y * ca) for x, y in outline]


def snowflake_paths(cx, cy, r, angle=0.0):
    paths = []
    for k in range(6):
        a = angle + k * math.pi / 3
        ca, sa = math.cos(a), math.sin(a)
        paths.append([(cx, cy), (cx + ca * r, cy + sa * r)])
        for f, blen in ((0.45, 0.32), (0.7, 0.24)):
            bx, by = cx + ca * r * f, cy + sa * r * f
            for side in (-1, 1):
                b = a + side * math.pi / 4
                paths.append([(bx, by), (bx + math.cos(b) * r * blen, by + math.sin(b) * r * blen)])
    return paths


def glossy_band(cv, sd_outer, sd_inner, colour, depth=8.0, profile=None, gloss=0.5, shininess=30):
    """A rounded band (painted or plastic) between an outline and an opening."""
    t = band_t(sd_outer, sd_inner)
    prof = profile or (lambda x: arch(x, 0.5))
    height = prof(t) * depth
    col = shade(colour, height, ambient=0.6, diffuse=0.5, specular=gloss, shininess=shininess)
    return col, np.clip(cover(sd_outer) - cover(sd_inner), 0, 1)


# ---- designs -------------------------------------------------------------------------------------

def walnut_with_note():
    """Dark walnut moulding with a cream mat; the mat's wider bottom takes the note."""
    rng = np.random.default_rng(2)
    band, mat_side, mat_bottom = 18, 16, 48
    hold = photo_area(PAD_LT + band + mat_side, PAD_LT + band + mat_side, 216, True)
    l, t, r, b = hold
    x0, y0 = PAD_LT, PAD_LT
    x1, y1 = r + mat_side + band, b + mat_bottom + band
    cv = Canvas(x1 + PAD_RB, y1 + PAD_RB)
    w, h = cv.w, cv.h

    # Mat: cream paper with a bevelled window.
    mat = paper_texture(w, h, rng, rgb('#efe6d2'))
    cv.paint(mat, cover(sd_box(cv.X, cv.Y, x0 + band - 2, y0 + band - 2, x1 - band + 2, y1 - band + 2)))
    mat_bevel(cv, hold)
    cv.erase(cover(sd_box(cv.X, cv.Y, *opening(hold))))
    inner_shadow_line(cv, hold, 0.25)
    # The frame casts a soft shadow onto the mat.
    m = Moulding(cv, x0, y0, x1, y1, band)
    inside = cover(sd_box(cv.X, cv.Y, x0 + band, y0 + band, x1 - band, y1 - band))
    sh = np.clip(blur(1 - inside, 6) - (1 - inside), 0, 1)
    cv.paint(rgb('#3a2a18'), sh * 0.5 * cv.alpha)

    wood = oriented(lambda ww, hh: grain_texture(ww, hh, rgb('#7a4b2a'), rgb('#3a2212'), rng,
                                                  ring_scale=6.0, figure=3.5), m, w, h)
    height = m.height(profile_cove, 7.0)
    col = shade(wood, height, ambient=0.62, diffuse=0.55, specular=0.22, shininess=18)
    col = mix(col, rgb('#1a0e06'), m.seam * 0.5)
    cv.paint(col, m.cover)
    finish(cv)
    note = (l + 4, b + 6, r - 4, y1 - band - 4)
    return Frame('frame2.ini', 'wood_walnut_note.png', True, cv, hold, note)


def silver_brushed():
    """Brushed aluminium with a rounded profile."""
    rng = np.random.default_rng(11)
    band = 26
    hold = photo_area(PAD_LT + band - TUCK, PAD_LT + band - TUCK, 344, True)
    l, t, r, b = hold
    x0, y0, x1, y1 = PAD_LT, PAD_LT, r - TUCK + band, b - TUCK + band
    cv = Canvas(x1 + PAD_RB, y1 + PAD_RB)
    w, h = cv.w, cv.h
    m = Moulding(cv, x0, y0, x1, y1, band)
    brushed = oriented(lambda ww, hh: brushed_texture(ww, hh, rng), m, w, h)
    height = m.height(profile_bullnose, 9.0)
    col = metal_shade(height, rgb('#dfe3e8'), brushed, texture_amount=0.16)
    col = mix(col, rgb('#2b3036'), m.seam * 0.45)
    cv.paint(col, m.cover)
    inner_shadow_line(cv, hold, 0.4)
    finish(cv)
    return Frame('metal_silver.ini', 'metal_brushed_silver.png', True, cv, hold)



def oak_with_liner():
    """Light oak with a wide flat face and a thin dark liner next to the photo."""
    rng = np.random.default_rng(21)
    band, liner = 34, 6
    hold = photo_area(PAD_LT + band + liner - TUCK, PAD_LT + band + liner - TUCK, 252, False)
    l, t, r, b = hold
    x0, y0, x1, y1 = PAD_LT, PAD_LT, r - TUCK + liner + band, b - TUCK + liner + band
    cv = Canvas(x1 + PAD_RB, y1 + PAD_RB)
    w, h = cv.w, cv.h
    # Liner: a slim walnut slip with a rounded edge.
    lm = Moulding(cv, x0 + band - 1, y0 + band - 1, x1 - band + 1, y1 - band + 1, liner + 1)
    lwood = oriented(lambda ww, hh: grain_texture(ww, hh, rgb('#5b3a22'), rgb('#2e1b0e'), rng, 3.0, 2.0), lm, w, h)
    lcol = shade(lwood, lm.height(lambda x: arch(x, 0.6), 3.0), ambient=0.6, diffuse=0.5, specular=0.25)
    cv.paint(lcol, lm.cover)
    m = Moulding(cv, x0, y0, x1, y1, band)
    wood = oriented(lambda ww, hh: grain_texture(ww, hh, rgb('#d9b27c'), rgb('#a87a4a'), rng,
                                                  ring_scale=9.0, figure=2.5, streak=200.0), m, w, h)
    height = m.height(profile_flat, 6.0)
    col = shade(wood, height, ambient=0.68, diffuse=0.45, specular=0.12, shininess=10)
    col = mix(col, rgb('#5a3c1c'), m.seam * 0.55)
    cv.paint(col, m.cover)
    # The frame throws a little shade onto the liner.
    inside = cover(sd_box(cv.X, cv.Y, x0 + band, y0 + band, x1 - band, y1 - band))
    sh = np.clip(blur(1 - inside, 4) - (1 - inside), 0, 1)
    cv.paint(rgb('#000000'), sh * 0.35 * np.clip(cv.alpha, 0, 1))
    inner_shadow_line(cv, hold, 0.35)
    finish(cv)
    return Frame('wood_oak.ini', 'wood_oak.png', False, cv, hold)


def gold_beaded():
    """Gilded moulding with a row of beads along the opening."""
    rng = np.random.default_rng(31)
    band, beads = 28, 8
    hold = photo_area(PAD_LT + band + beads - TUCK, PAD_LT + band + beads - TUCK, 240, False)
    l, t, r, b = hold
    x0, y0, x1, y1 = PAD_LT, PAD_LT, r - TUCK + beads + band, b - TUCK + beads + band
    cv = Canvas(x1 + PAD_RB, y1 + PAD_RB)
    w, h = cv.w, cv.h
    gold = rgb('#f2cd6b')
    # Bead row: a dark bed with gilded beads on it.
    bed = Moulding(cv, x0 + band - 1, y0 + band - 1, x1 - band + 1, y1 - band + 1, beads + 1)
    cv.paint(rgb('#4a3512'), bed.cover)
    heights = np.zeros((h, w), np.float32)
    cx0, cy0 = x0 + band + beads / 2, y0 + band + beads / 2
    cx1, cy1 = x1 - band - beads / 2, y1 - band - beads / 2
    rad = beads * 0.42
    centres = []
    for (ax, ay, bx, by) in ((cx0, cy0, cx1, cy0), (cx1, cy0, cx1, cy1), (cx1, cy1, cx0, cy1), (cx0, cy1, cx0, cy0)):
        length = math.hypot(bx - ax, by - ay)
        n = int(length / (beads * 1.0))
        for i in range(n):
            f = i / n
            centres.append((ax + (bx - ax) * f, ay + (by - ay) * f))
    for cx, cy in centres:
        d = np.hypot(cv.X - cx, cv.Y - cy)
        heights = np.maximum(heights, np.sqrt(np.clip(1 - (d / rad) ** 2, 0, 1)) * rad)
    bead_cover = np.clip(heights * 3, 0, 1) * bed.cover
    cv.paint(shade(gold * 0.85, heights * 1.4, ambient=0.35, diffuse=0.8, specular=0.9, shininess=18,
                   spec_colour=rgb('#fff4d0')), bead_cover)
    # The main gilded moulding: stepped profile with a fine punched texture.
    m = Moulding(cv, x0, y0, x1, y1, band)

    def profile(t):
        outer = arch(t / 0.3, 0.6)
        scoop = 0.75 - 0.35 * arch((t - 0.3) / 0.45)
        ridge = 0.55 + 0.4 * arch((t - 0.75) / 0.25, 0.7)
        return np.where(t < 0.3, 0.2 + 0.8 * outer,
                        np.where(t < 0.75, scoop, ridge))
    height = m.height(profile, 8.0)
    tex = oriented(lambda ww, hh: brushed_texture(ww, hh, rng, 12.0), m, w, h)
    col = metal_shade(height, gold, tex, texture_amount=0.05, contrast=1.1, shadow_tint=rgb('#5c3b0c'))
    # Darker patina deep in the scoop.
    col = mix(col, rgb('#6b4a14'), smoothstep(0.35, 0.6, m.t) * (1 - smoothstep(0.6, 0.75, m.t)) * 0.25)
    col = mix(col, rgb('#3b2708'), m.seam * 0.5)
    cv.paint(col, m.cover)
    inner_shadow_line(cv, hold, 0.4)
    finish(cv)
    return Frame('metal_gold.ini', 'metal_gold_beaded.png', False, cv, hold)


def hearts_and_lace():
    """Pink satin with a lace edge, hearts in the corners and a label for the note."""
    rng = np.random.default_rng(41)
    side, top, bottom, lace = 30, 30, 64, 8
    hold = photo_area(PAD_LT + lace + side - TUCK, PAD_LT + lace + top - TUCK, 216, False)
    l, t, r, b = hold
    x0, y0 = PAD_LT + lace, PAD_LT + lace
    x1, y1 = r - TUCK + side, b - TUCK + bottom
    cv = Canvas(x1 + lace + PAD_RB, y1 + lace + PAD_RB)
    X, Y = cv.X, cv.Y
    w, h = cv.w, cv.h
    white = rgb('#fffaf7')

    # Lace: scallops all round the body, pierced with small eyelets.
    body = sd_box(X, Y, x0, y0, x1, y1, 18)
    scallop = np.full((h, w), 1e3, np.float32)
    perimeter_pts = []
    step = 11.0
    for (ax, ay, bx, by) in ((x0 + 18, y0, x1 - 18, y0), (x1, y0 + 18, x1, y1 - 18),
                             (x1 - 18, y1, x0 + 18, y1), (x0, y1 - 18, x0, y0 + 18)):
        length = math.hypot(bx - ax, by - ay)
        n = max(1, int(round(length / step)))
        for i in range(n + 1):
            perimeter_pts.append((ax + (bx - ax) * i / n, ay + (by - ay) * i / n))
    # Corner scallops follow the rounded corners.
    for (ccx, ccy, a0) in ((x1 - 18, y0 + 18, -math.pi / 2), (x1 - 18, y1 - 18, 0.0),
                           (x0 + 18, y1 - 18, math.pi / 2), (x0 + 18, y0 + 18, math.pi)):
        for k in range(1, 3):
            a = a0 + k * (math.pi / 2) / 3
            perimeter_pts.append((ccx + 18 * math.cos(a), ccy + 18 * math.sin(a)))
    for px, py in perimeter_pts:
        scallop = np.minimum(scallop, sd_circle(X, Y, px, py, lace + 0.5))
    lace_sd = np.minimum(body, scallop)
    lace_cover = cover(lace_sd)
    eyelets = np.zeros((h, w), np.float32)
    for px, py in perimeter_pts:
        eyelets = np.maximum(eyelets, cover(sd_circle(X, Y, px, py, 1.9)))
    lace_col = paper_texture(w, h, rng, white, 0.02)
    cv.paint(lace_col, lace_cover)
    cv.erase(eyelets * (body > 0.5))
    # Thin stitched line where lace meets satin.
    stitch = np.clip(1 - np.abs(body + 4.0), 0, 1) * (np.sin((X + Y) * 0.9) > 0.2)
    cv.paint(rgb('#e7a9bd'), stitch * 0.7)

    # Satin body: soft pink with diagonal sheen, raised slightly.
    inner_body = body + 4.0
    sheen = 0.5 + 0.5 * np.sin((X * 0.7 + Y) / 38.0)
    satin = mix(rgb('#f2b8c8'), rgb('#fbdde6'), sheen * 0.8)
    op = sd_box(X, Y, *opening(hold), 10)
    col, _ = glossy_band(cv, inner_body, op, satin, depth=5.0, gloss=0.3, shininess=12)
    cv.paint(col, cover(inner_body))
    # Ribbon round the opening.
    ring = np.clip(cover(op - 6) - cover(op), 0, 1)
    rib_col = shade(white, arch(np.clip(op / 6.0, 0, 1), 0.6) * 2.5, ambient=0.75, diffuse=0.35, specular=0.3)
    cv.paint(rib_col, ring)
    cv.erase(cover(op))
    inner_shadow_line(cv, hold, 0.25)

    # Note label: cream card with a dashed rose border.
    lab = (l + 16, b + 10, r - 16, y1 - 10)
    lab_sd = sd_box(X, Y, *lab, 8)
    cv.paint(rgb('#a0506a'), blur(cover(lab_sd), 3) * 0.25)
    cv.paint(paper_texture(w, h, rng, rgb('#fffaf2'), 0.02), cover(lab_sd))
    dash = np.clip(1 - np.abs(lab_sd + 4.0), 0, 1) * (np.sin((X * 1.0 + Y * 1.0) * 0.75) > 0)
    cv.paint(rgb('#e58aa8'), dash)

    # Hearts in the top corners and one by the label.
    def heart(cx, cy, size, angle, colour):
        poly = heart_polygon(cx, cy, size, angle)
        m = polygon_mask(w, h, [poly])
        cv.paint(rgb('#6b0f2a'), blur(shift(m, 2, 3), 3) * 0.35)
        d = blur(m, size * 0.18)
        height = d * size * 0.25
        cv.paint(shade(colour, height, ambient=0.55, diffuse=0.6, specular=0.6, shininess=30), m)
    heart(x0 + 22, y0 + 24, 34, -0.35, rgb('#d7263d'))
    heart(x0 + 48, y0 + 14, 22, 0.25, rgb('#f06a8a'))
    heart(x1 - 24, y0 + 22, 30, 0.3, rgb('#e0304e'))
    heart(x1 - 50, y0 + 12, 18, -0.2, rgb('#ffffff') * 0.97)
    heart(x1 - 20, y1 - 34, 24, 0.2, rgb('#d7263d'))
    finish(cv, dx=3, dy=4, radius=6, opacity=0.4)
    note = (lab[0] + 6, lab[1] + 4, lab[2] - 6, lab[3] - 4)
    return Frame('romantic_hearts.ini', 'romantic_hearts_lace.png', False, cv, hold, note)


def rose(cv, cx, cy, r, colour, rng):
    """A rose seen from above: rings of petals, darker and tighter towards a spiral heart."""
    X, Y = cv.X, cv.Y
    w, h = cv.w, cv.h
    rings = [(1.0, 5, 0.0), (0.78, 5, 0.6), (0.56, 4, 1.1), (0.38, 3, 0.3)]
    for k, (f, n, a0) in enumerate(rings):
        rr = r * f
        tone = colour * (0.8 + 0.08 * k)
        for i in range(n):
            a = a0 + 2 * math.pi * i / n + rng.uniform(-0.15, 0.15)
            px, py = cx + math.cos(a) * rr * 0.38, cy + math.sin(a) * rr * 0.38
            d = np.hypot(X - px, Y - py)
            pr = rr * 0.62
            m = cover(d - pr)
            # Petals cup upwards: lighter rim, darker base.
            rim = smoothstep(pr * 0.35, pr, d)
            col = mix(tone * 0.62, np.minimum(tone * 1.25, 1.0), rim)
            cv.paint(col, m)
            edge = np.clip(1 - np.abs(d - pr), 0, 1)
            cv.paint(tone * 0.45, edge * 0.5)
    spiral = []
    for i in range(40):
        a = i * 0.33
        rr = r * 0.02 + r * 0.2 * i / 40
        spiral.append((cx + math.cos(a) * rr, cy + math.sin(a) * rr))
    cv.paint(colour * 0.4, stroke_mask(w, h, [spiral], 1.2) * 0.8)


def roses_burgundy():
    """Glossy burgundy moulding with roses and leaves across two corners."""
    rng = np.random.default_rng(51)
    band = 24
    hold = photo_area(PAD_LT + 10 + band - TUCK, PAD_LT + 10 + band - TUCK, 336, True)
    l, t, r, b = hold
    x0, y0, x1, y1 = PAD_LT + 10, PAD_LT + 10, r - TUCK + band, b - TUCK + band
    cv = Canvas(x1 + 10 + PAD_RB, y1 + 10 + PAD_RB)
    w, h = cv.w, cv.h
    m = Moulding(cv, x0, y0, x1, y1, band)
    base = rgb('#7d1228') * (0.9 + 0.2 * fbm(w, h, 60, 60, rng, 2))[..., None]
    col = shade(base, m.height(profile_cove, 7.0), ambient=0.55, diffuse=0.6, specular=0.55, shininess=40)
    # Gold fillet at the inner edge.
    fil = smoothstep(0.86, 0.9, m.t)
    col = mix(col, metal_shade(m.height(profile_cove, 7.0), rgb('#e8c36a'), np.zeros((h, w))), fil)
    col = mix(col, rgb('#2a0508'), m.seam * 0.5)
    cv.paint(col, m.cover)
    inner_shadow_line(cv, hold, 0.4)

    leaf_col = rgb('#3f7a35')
    for (cx, cy, flip) in ((x0 + 14, y0 + 14, 1), (x1 - 14, y1 - 14, -1)):
        for ang, ln in ((0.15, 52), (1.35, 50), (0.75, 44), (-0.35, 36), (1.9, 34)):
            a = ang if flip > 0 else ang + math.pi
            leaf(cv, cx, cy, cx + math.cos(a) * ln, cy + math.sin(a) * ln, ln * 0.42, leaf_col)
        rose(cv, cx + flip * 6, cy + flip * 6, 26, rgb('#c8102e'), rng)
        rose(cv, cx + flip * 40, cy - flip * 2, 17, rgb('#e23a57'), rng)
        rose(cv, cx - flip * 2, cy + flip * 40, 15, rgb('#f06d86'), rng)
        for bx, by in ((cx + flip * 62, cy + flip * 10), (cx + flip * 8, cy + flip * 60)):
            sphere(cv, bx, by, 3.2, rgb('#f3c7cf'), 0.3)
    finish(cv)
    return Frame('romantic_roses.ini', 'romantic_roses.png', True, cv, hold)


def garland_with_note():
    """Sage painted wood around a cream mat, a flower garland along the top and a note below."""
    rng = np.random.default_rng(61)
    band, mat_side, mat_top, mat_bottom = 20, 20, 24, 50
    hold = photo_area(PAD_LT + 6 + band + mat_side, PAD_LT + 10 + band + mat_top, 272, True)
    l, t, r, b = hold
    x0, y0 = PAD_LT + 6, PAD_LT + 10
    x1, y1 = r + mat_side + band, b + mat_bottom + band
    cv = Canvas(x1 + 6 + PAD_RB, y1 + PAD_RB)
    X, Y = cv.X, cv.Y
    w, h = cv.w, cv.h
    mat = paper_texture(w, h, rng, rgb('#f6f1e4'))
    cv.paint(mat, cover(sd_box(X, Y, x0 + band - 2, y0 + band - 2, x1 - band + 2, y1 - band + 2)))
    mat_bevel(cv, hold)
    cv.erase(cover(sd_box(X, Y, *opening(hold))))
    inner_shadow_line(cv, hold, 0.25)
    m = Moulding(cv, x0, y0, x1, y1, band)
    inside = cover(sd_box(X, Y, x0 + band, y0 + band, x1 - band, y1 - band))
    sh = np.clip(blur(1 - inside, 5) - (1 - inside), 0, 1)
    cv.paint(rgb('#2c3a22'), sh * 0.4 * cv.alpha)
    # Painted wood: the grain shows faintly through sage paint.
    grain = oriented(lambda ww, hh: grain_texture(ww, hh, rgb('#ffffff'), rgb('#000000'), rng, 6.0, 2.0), m, w, h)
    paint = mix(rgb('#8fae8b'), rgb('#a9c4a2'), grain[..., 0] * 0.6)
    col = shade(paint, m.height(profile_bullnose, 6.0), ambient=0.65, diffuse=0.45, specular=0.15)
    col = mix(col, rgb('#4a5e45'), m.seam * 0.4)
    cv.paint(col, m.cover)

    # Garland: a wavy vine along the top with leaves and blossoms.
    vine = [(x, y0 + 10 + 5 * math.sin(x / 23.0)) for x in np.linspace(x0 + 4, x1 - 4, 90)]
    cv.paint(rgb('#000000'), blur(stroke_mask(w, h, [[(x + 2, y + 3) for x, y in vine]], 3.0), 3) * 0.3)
    cv.paint(rgb('#4d7a3a'), stroke_mask(w, h, [vine], 2.2))
    colours = [rgb('#f48fb1'), rgb('#ffd54f'), rgb('#ffffff'), rgb('#9fa8da'), rgb('#ff8a65')]
    xs = np.arange(x0 + 14, x1 - 8, 27.0)
    for i, x in enumerate(xs):
        y = y0 + 10 + 5 * math.sin(x / 23.0)
        for s in (-1, 1):
            leaf(cv, x + 6, y, x + 6 + 14 * s * 0.6, y + 12 * s, 7, rgb('#5b8f44'))
    shadow = np.zeros((h, w), np.float32)
    for i, x in enumerate(xs):
        y = y0 + 10 + 5 * math.sin(x / 23.0)
        shadow = np.maximum(shadow, cover(sd_circle(X, Y, x + 2, y + 3, 10)))
    cv.paint(rgb('#203018'), blur(shadow, 4) * 0.3)
    for i, x in enumerate(xs):
        y = y0 + 10 + 5 * math.sin(x / 23.0)
        c = colours[i % len(colours)]
        centre = rgb('#f9a825') if i % len(colours) != 1 else rgb('#e65100')
        blossom(cv, x, y, 11 + (i % 3), c, centre, petals=5, angle=i * 0.7)
    # A small posy at the bottom right corner of the frame.
    px, py = x1 - 16, y1 - 16
    for a, ln in ((-2.6, 30), (-2.1, 34), (-1.4, 28), (-3.1, 26)):
        leaf(cv, px, py, px + math.cos(a) * ln, py + math.sin(a) * ln, 11, rgb('#5b8f44'))
    blossom(cv, px - 6, py - 8, 15, rgb('#f48fb1'), rgb('#f9a825'), angle=0.3)
    blossom(cv, px - 26, py - 4, 11, rgb('#ffffff'), rgb('#f9a825'), angle=1.0)
    blossom(cv, px - 4, py - 30, 10, rgb('#9fa8da'), rgb('#ffd54f'), angle=0.5)
    finish(cv)
    note = (l + 6, b + 6, r - 40, y1 - band - 6)
    return Frame('flowers_garland.ini', 'flowers_garland_note.png', True, cv, hold, note)


def daisies_blue():
    """A rounded sky-blue frame scattered with daisies."""
    rng = np.random.default_rng(71)
    band = 32
    hold = photo_area(PAD_LT + 10 + band - TUCK, PAD_LT + 10 + band - TUCK, 240, False)
    l, t, r, b = hold
    x0, y0, x1, y1 = PAD_LT + 10, PAD_LT + 10, r - TUCK + band, b - TUCK + band
    cv = Canvas(x1 + 10 + PAD_RB, y1 + 10 + PAD_RB)
    X, Y = cv.X, cv.Y
    w, h = cv.w, cv.h
    outer = sd_box(X, Y, x0, y0, x1, y1, 16)
    op = sd_box(X, Y, *opening(hold), 3)
    paint = mix(rgb('#7ec8e3'), rgb('#a8dcf0'), fbm(w, h, 40, 40, rng, 3) * 0.7)
    col, m = glossy_band(cv, outer, op, paint, depth=9.0, profile=lambda x: arch(x, 0.45), gloss=0.35)
    cv.paint(col, m)
    # Tiny white dots like a hand-painted pattern.
    dots = np.zeros((h, w), np.float32)
    for _ in range(90):
        px, py = rng.uniform(x0, x1), rng.uniform(y0, y1)
        dots = np.maximum(dots, cover(sd_circle(X, Y, px, py, rng.uniform(0.9, 1.6))))
    cv.paint(rgb('#ffffff'), dots * m * 0.8)
    inner_shadow_line(cv, hold, 0.35)
    # Daisies on the band, some over its outer edge.
    spots = [(x0 + 12, y0 + 14, 17), (x0 + 50, y0 + 8, 11), (x1 - 30, y0 + 12, 13), (x1 - 8, y0 + 40, 10),
             (x1 - 12, (y0 + y1) / 2 + 20, 12), (x0 + 6, (y0 + y1) / 2 - 30, 11), (x0 + 14, y1 - 14, 15),
             (x0 + 52, y1 - 8, 10), (x1 - 16, y1 - 16, 18), (x1 - 52, y1 - 6, 11), ((x0 + x1) / 2, y1 - 10, 9)]
    shadow = np.zeros((h, w), np.float32)
    for px, py, pr in spots:
        shadow = np.maximum(shadow, cover(sd_circle(X, Y, px + 2, py + 3, pr)))
    cv.paint(rgb('#1b4a5e'), blur(shadow, 4) * 0.35)
    for i, (px, py, pr) in enumerate(spots):
        for a in (0.6 + i, 2.4 + i):
            leaf(cv, px, py, px + math.cos(a) * pr * 1.5, py + math.sin(a) * pr * 1.5, pr * 0.55, rgb('#4f9a3c'))
    for i, (px, py, pr) in enumerate(spots):
        blossom(cv, px, py, pr, rgb('#ffffff'), rgb('#ffc629'), petals=16, angle=i * 0.4, centre_r=0.3,
                petal_width=0.17)
    finish(cv)
    return Frame('flowers_daisies.ini', 'flowers_daisies.png', False, cv, hold)


def holly_with_note():
    """Red lacquered frame with snow on top, holly in two corners and a snowy band for the note."""
    rng = np.random.default_rng(81)
    band, mat_side, mat_bottom = 22, 16, 48
    hold = photo_area(PAD_LT + band + mat_side, PAD_LT + 14 + band + mat_side, 288, True)
    l, t, r, b = hold
    x0, y0 = PAD_LT, PAD_LT + 14
    x1, y1 = r + mat_side + band, b + mat_bottom + band
    cv = Canvas(x1 + PAD_RB, y1 + PAD_RB)
    X, Y = cv.X, cv.Y
    w, h = cv.w, cv.h
    # Mat: white with a faint pattern of small snowflakes.
    snowmat = paper_texture(w, h, rng, rgb('#f7fafc'), 0.02)
    cv.paint(snowmat, cover(sd_box(X, Y, x0 + band - 2, y0 + band - 2, x1 - band + 2, y1 - band + 2)))
    flakes = []
    for _ in range(26):
        fx, fy = rng.uniform(x0 + band, x1 - band), rng.uniform(y0 + band, y1 - band)
        flakes += snowflake_paths(fx, fy, rng.uniform(3, 6), rng.uniform(0, 1))
    cv.paint(rgb('#b9d3e6'), stroke_mask(w, h, flakes, 0.8) * 0.8)
    mat_bevel(cv, hold)
    cv.erase(cover(sd_box(X, Y, *opening(hold))))
    inner_shadow_line(cv, hold, 0.3)
    m = Moulding(cv, x0, y0, x1, y1, band)
    inside = cover(sd_box(X, Y, x0 + band, y0 + band, x1 - band, y1 - band))
    sh = np.clip(blur(1 - inside, 5) - (1 - inside), 0, 1)
    cv.paint(rgb('#30121a'), sh * 0.45 * cv.alpha)
    red = rgb('#b3121f') * (0.92 + 0.16 * fbm(w, h, 50, 50, rng, 2))[..., None]
    col = shade(red, m.height(profile_cove, 7.0), ambient=0.55, diffuse=0.6, specular=0.6, shininess=40)
    col = mix(col, rgb('#3a0306'), m.seam * 0.5)
    cv.paint(col, m.cover)

    # Snow on the top piece: lumpy drifts that bulge above the frame and hang over its face.
    lumps = smooth_noise(w, 1, 38, 1, rng)[0]
    top_line = y0 - 3 - 10 * lumps
    drips = np.maximum(0, np.sin(np.arange(w) / 9.0 + 2 * smooth_noise(w, 1, 20, 1, rng)[0])) ** 3
    lower_line = y0 + band * 0.4 + 4 * smooth_noise(w, 1, 16, 1, rng)[0] + 5 * drips
    in_x = (X > x0 + 1) & (X < x1 - 1)
    drift = np.clip(Y - top_line[None, :] + 0.5, 0, 1) * np.clip(lower_line[None, :] - Y + 0.5, 0, 1)
    ends = np.clip(np.minimum(X - x0 + 1, x1 + 1 - X) / 5.0, 0, 1)
    drift = drift * in_x * ends
    snow_h = blur(drift, 7) * 9
    lit = shade(rgb('#ffffff'), snow_h, ambient=0.6, diffuse=0.5, specular=0.0)
    cool = 1 - lit[..., 0]
    snow = mix(lit, rgb('#b4cbe6'), np.clip(cool * 1.6, 0, 0.7))
    cv.paint(rgb('#5a1f26'), blur(shift(drift, 1, 3), 2) * 0.35)
    cv.paint(snow, drift)
    # Glitter in the snow.
    sparkle = (rng.random((h, w)) > 0.985) * drift
    cv.paint(rgb('#ffffff'), sparkle.astype(np.float32) * 0.9)

    def sprig(cx, cy, base_angle):
        polys = []
        for k, a in enumerate((-0.55, 0.35, 1.2)):
            polys.append((holly_leaf(cx, cy, 40 - 6 * k, 17, base_angle + a), k))
        shadow = polygon_mask(w, h, [p for p, _ in polys])
        cv.paint(rgb('#000000'), blur(shift(shadow, 2, 3), 3) * 0.35)
        for poly, k in polys:
            pm = polygon_mask(w, h, [poly])
            height = blur(pm, 4) * 4
            green = rgb('#1f6b32') * (0.85 + 0.1 * k)
            cv.paint(shade(green, height, ambient=0.55, diffuse=0.55, specular=0.5, shininess=30), pm)
            (sx, sy), (ex, ey) = poly[0], poly[len(poly) // 2 - 1]
            cv.paint(rgb('#9fd08a'), stroke_mask(w, h, [[(sx, sy), (ex, ey)]], 0.9) * 0.6)
        for dx, dy in ((0, -2), (7, 3), (-5, 5)):
            sphere(cv, cx + dx, cy + dy, 4.6, rgb('#d0101e'), 0.9)
    sprig(x0 + 12, y0 + 12, 0.1)
    sprig(x1 - 14, y1 - 14, math.pi + 0.1)
    finish(cv)
    note = (l + 8, b + 6, r - 8, y1 - band - 5)
    return Frame('christmas_holly.ini', 'christmas_holly_note.png', True, cv, hold, note)


def snowflakes_night():
    """Midnight-blue velvet with a silver inner bead and falling snowflakes."""
    rng = np.random.default_rng(91)
    band, bead = 32, 5
    hold = photo_area(PAD_LT + band + bead - TUCK, PAD_LT + band + bead - TUCK, 240, False)
    l, t, r, b = hold
    x0, y0, x1, y1 = PAD_LT, PAD_LT, r - TUCK + bead + band, b - TUCK + bead + band
    cv = Canvas(x1 + PAD_RB, y1 + PAD_RB)
    X, Y = cv.X, cv.Y
    w, h = cv.w, cv.h
    bm = Moulding(cv, x0 + band - 1, y0 + band - 1, x1 - band + 1, y1 - band + 1, bead + 1)
    cv.paint(metal_shade(bm.height(lambda x: arch(x, 0.5), 3.0), rgb('#e3e8ef'), np.zeros((h, w))), bm.cover)
    m = Moulding(cv, x0, y0, x1, y1, band)
    velvet = mix(rgb('#0e1f47'), rgb('#1d3a7a'), fbm(w, h, 3, 3, rng, 2) * 0.5 + smoothstep(0, 1, m.t) * 0.3)
    col = shade(velvet, m.height(lambda x: arch(x, 0.4), 7.0), ambient=0.7, diffuse=0.5, specular=0.05)
    col = mix(col, rgb('#050a18'), m.seam * 0.5)
    cv.paint(col, m.cover)
    inner_shadow_line(cv, hold, 0.4)
    flakes, glow = [], np.zeros((h, w), np.float32)
    band_mask = m.cover > 0.5
    placed = 0
    while placed < 22:
        fx, fy = rng.uniform(x0 + 4, x1 - 4), rng.uniform(y0 + 4, y1 - 4)
        if not band_mask[int(fy), int(fx)] or min(fx - x0, x1 - fx, fy - y0, y1 - fy) < 5:
            continue
        fr = rng.uniform(4, 10)
        flakes += snowflake_paths(fx, fy, fr, rng.uniform(0, 1))
        glow = np.maximum(glow, cover(sd_circle(X, Y, fx, fy, fr * 1.3)))
        placed += 1
    cv.paint(rgb('#7fa7ff'), blur(glow, 6) * 0.25 * m.cover)
    cv.paint(rgb('#ffffff'), stroke_mask(w, h, flakes, 1.1) * 0.95)
    stars = np.zeros((h, w), np.float32)
    for _ in range(40):
        sx, sy = rng.uniform(x0, x1), rng.uniform(y0, y1)
        stars = np.maximum(stars, cover(sd_circle(X, Y, sx, sy, rng.uniform(0.5, 1.1))))
    cv.paint(rgb('#fff7d6'), stars * m.cover)
    finish(cv)
    return Frame('christmas_snowflakes.ini', 'christmas_snowflakes.png', False, cv, hold)


def airmail_postcard():
    """A postcard with an airmail border, a stamp with its postmark and room for a note."""
    rng = np.random.default_rng(101)
    stripe, margin, bottom = 10, 14, 52
    hold = photo_area(PAD_LT + stripe + margin, PAD_LT + stripe + margin, 320, True)
    l, t, r, b = hold
    x0, y0 = PAD_LT, PAD_LT
    x1, y1 = r + margin + stripe, b + bottom + stripe
    cv = Canvas(x1 + PAD_RB, y1 + PAD_RB)
    X, Y = cv.X, cv.Y
    w, h = cv.w, cv.h
    card = sd_box(X, Y, x0, y0, x1, y1, 4)
    paper = paper_texture(w, h, rng, rgb('#fdfbf5'), 0.03)
    cv.paint(paper, cover(card))
    # Airmail stripes: slanted red and blue bars with white gaps.
    inner = sd_box(X, Y, x0 + stripe, y0 + stripe, x1 - stripe, y1 - stripe)
    phase = ((X + Y) / 14.0) % 3.0
    stripes = np.where(phase < 1.0, 0, np.where(phase < 1.5, 2, np.where(phase < 2.5, 1, 2)))
    colours = np.stack([rgb('#d32f2f'), rgb('#1e4fa3'), rgb('#fdfbf5')])
    stripe_col = colours[stripes] * (0.94 + 0.06 * paper[..., :1] / paper.max())
    ring = np.clip(cover(card - 1.5) - cover(inner), 0, 1)
    cv.paint(stripe_col, ring * 0.95)
    # Photo print with a thin white border, slightly raised.
    cv.paint(rgb('#000000'), blur(cover(sd_box(X, Y, l - 2, t - 1, r + 5, b + 6)), 4) * 0.25)
    cv.erase(cover(sd_box(X, Y, *opening(hold))))
    inner_shadow_line(cv, hold, 0.3)
    # Stamp over the top right corner of the photo: perforated edge, a tiny sunny scene.
    sw, sh_ = 52, 62
    sx0, sy0 = r - sw + 14, t - 16
    sx1, sy1 = sx0 + sw, sy0 + sh_
    body = sd_box(X, Y, sx0, sy0, sx1, sy1)
    perf = np.full((h, w), 1e3, np.float32)
    for px in np.arange(sx0, sx1 + 0.1, 5.2):
        perf = np.minimum(perf, np.minimum(sd_circle(X, Y, px, sy0, 1.6), sd_circle(X, Y, px, sy1, 1.6)))
    for py in np.arange(sy0, sy1 + 0.1, 5.2):
        perf = np.minimum(perf, np.minimum(sd_circle(X, Y, sx0, py, 1.6), sd_circle(X, Y, sx1, py, 1.6)))
    stamp = np.clip(cover(body) - cover(perf), 0, 1)
    cv.paint(rgb('#000000'), blur(shift(stamp, 2, 3), 2.5) * 0.35)
    cv.paint(rgb('#fffdf7'), stamp)
    pic = sd_box(X, Y, sx0 + 6, sy0 + 6, sx1 - 6, sy1 - 14)
    pic_c = cover(pic)
    sky = mix(rgb('#ffb74d'), rgb('#4fc3f7'), smoothstep(sy1 - 14, sy0 + 6, Y))
    cv.paint(sky, pic_c)
    cv.paint(rgb('#fff176'), cover(sd_circle(X, Y, sx0 + 32, sy0 + 30, 8)) * pic_c)
    sea_y = sy0 + 36
    cv.paint(mix(rgb('#0277bd'), rgb('#4fc3f7'), 0.4 + 0.2 * np.sin(X * 0.8)), (Y > sea_y + np.sin(X * 0.5)) * pic_c)
    palm = [(sx0 + 14, sy1 - 14), (sx0 + 16, sy0 + 26), (sx0 + 18, sy0 + 20)]
    cv.paint(rgb('#5d4037'), stroke_mask(w, h, [palm], 1.6) * pic_c)
    fronds = [[(sx0 + 18, sy0 + 20), (sx0 + 18 + 9 * math.cos(a), sy0 + 20 + 7 * math.sin(a) + 3)]
              for a in (-2.8, -2.0, -1.2, -0.4, 0.3)]
    cv.paint(rgb('#2e7d32'), stroke_mask(w, h, fronds, 1.8) * pic_c)
    cv.paint(rgb('#c62828'), cover(sd_box(X, Y, sx0 + 6, sy1 - 10, sx0 + 20, sy1 - 6, 1)))
    # Postmark: two rings and wavy cancel lines, in faded ink over the stamp and the card.
    ink = rgb('#37474f')
    pmx, pmy = sx0 - 6, sy0 + 40
    marks = np.clip(1 - np.abs(np.hypot(X - pmx, Y - pmy) - 17) / 0.9, 0, 1)
    marks = np.maximum(marks, np.clip(1 - np.abs(np.hypot(X - pmx, Y - pmy) - 11) / 0.7, 0, 1))
    waves = []
    for k in range(4):
        yy = pmy - 9 + k * 6
        waves.append([(x, yy + 2.2 * math.sin((x - pmx) / 5.0)) for x in np.linspace(pmx + 18, pmx + 78, 40)])
    marks = np.maximum(marks, stroke_mask(w, h, waves, 1.2))
    wear = smoothstep(0.25, 0.6, fbm(w, h, 6, 6, rng, 3))
    cv.paint(ink, marks * wear * 0.55 * (cv.alpha > 0.5))
    finish(cv, dx=3, dy=4, radius=6, opacity=0.45)
    note = (l + 4, b + 6, r - 4, y1 - stripe - 6)
    return Frame('holiday_postcard.ini', 'holiday_airmail_note.png', True, cv, hold, note)


def beach_sand():
    """Sand with a turquoise edge, shells and a starfish, and the sun peeking in."""
    rng = np.random.default_rng(111)
    band, water = 34, 6
    hold = photo_area(PAD_LT + 8 + band + water - TUCK, PAD_LT + 14 + band + water - TUCK, 240, False)
    l, t, r, b = hold
    x0, y0, x1, y1 = PAD_LT + 8, PAD_LT + 14, r - TUCK + water + band, b - TUCK + water + band
    cv = Canvas(x1 + 14 + PAD_RB, y1 + PAD_RB)
    X, Y = cv.X, cv.Y
    w, h = cv.w, cv.h
    outer = sd_box(X, Y, x0, y0, x1, y1, 10)
    op = sd_box(X, Y, *opening(hold), 2)
    # Water edge: a wavy turquoise ribbon with foam.
    wave_sd = op - water + 1.5 * np.sin((X + Y) / 6.0)
    aqua = mix(rgb('#1fb5c9'), rgb('#7fe0e6'), smoothstep(-water, 0, -op))
    cv.paint(aqua, cover(op - water - 2))
    foam = np.clip(1 - np.abs(wave_sd) / 1.2, 0, 1)
    # Sand: fine grains, lit as a soft cushion.
    grains = rng.random((h, w)).astype(np.float32)
    sand = mix(rgb('#d9b98a'), rgb('#f2dcb2'), 0.35 + 0.35 * fbm(w, h, 20, 20, rng, 3) + 0.3 * grains)
    col, m = glossy_band(cv, outer, wave_sd, sand, depth=8.0, profile=lambda x: arch(x, 0.35), gloss=0.05)
    cv.paint(col, m)
    cv.paint(rgb('#ffffff'), foam * 0.85)
    cv.erase(cover(op))
    inner_shadow_line(cv, hold, 0.3)

    # The sun at the top right, partly beyond the edge.
    sx, sy = x1 - 10, y0 + 8
    rays = []
    for k in range(12):
        a = k * math.pi / 6 + 0.2
        rays.append([(sx + math.cos(a) * 24, sy + math.sin(a) * 24), (sx + math.cos(a) * 33, sy + math.sin(a) * 33)])
    cv.paint(rgb('#ffb300'), stroke_mask(w, h, rays, 3.2))
    d = np.hypot(X - sx, Y - sy)
    sun_h = np.sqrt(np.clip(1 - (d / 20) ** 2, 0, 1)) * 8
    cv.paint(shade(rgb('#ffd54f'), sun_h, ambient=0.7, diffuse=0.4, specular=0.3), cover(d - 20))

    # Starfish at the bottom left.
    fx, fy = x0 + 26, y1 - 26
    star = polygon_mask(w, h, [star_polygon(fx, fy, 24, 9, 5, -1.2)])
    cv.paint(rgb('#000000'), blur(shift(star, 2, 3), 3) * 0.35)
    star_h = blur(star, 6) * 7
    cv.paint(shade(rgb('#f57c3a'), star_h, ambient=0.6, diffuse=0.55, specular=0.2), star)
    bumps = np.zeros((h, w), np.float32)
    for k in range(5):
        a = -1.2 + k * 2 * math.pi / 5
        for f in (0.3, 0.55, 0.8):
            bumps = np.maximum(bumps, cover(sd_circle(X, Y, fx + math.cos(a) * 24 * f, fy + math.sin(a) * 24 * f, 1.4)))
    cv.paint(rgb('#ffd3b0'), bumps * star)

    # Scallop shell at the bottom right.
    cx, cy = x1 - 28, y1 - 20
    fan = []
    for k in range(31):
        a = math.pi + 0.25 + (math.pi - 0.5) * k / 30
        rr = 22 * (1 + 0.04 * math.cos(k * math.pi / 3 * 2))
        fan.append((cx + math.cos(a) * rr, cy + math.sin(a) * rr))
    fan += [(cx + 6, cy + 2), (cx + 4, cy + 8), (cx - 4, cy + 8), (cx - 6, cy + 2)]
    shell = polygon_mask(w, h, [fan])
    cv.paint(rgb('#000000'), blur(shift(shell, 2, 3), 3) * 0.3)
    ang = np.arctan2(Y - cy, X - cx)
    ribs = 0.5 + 0.5 * np.cos(ang * 22)
    shell_col = mix(rgb('#f8bbd0'), rgb('#fff3e0'), ribs * 0.7 + 0.3 * smoothstep(0, 22, np.hypot(X - cx, Y - cy)))
    cv.paint(shade(shell_col, ribs * 1.5 + blur(shell, 5) * 4, ambient=0.7, diffuse=0.4, specular=0.2), shell)
    # A small shell on the left side.
    sx2, sy2 = x0 + 17, (y0 + y1) / 2 - 30
    cone = polygon_mask(w, h, [[(sx2, sy2 - 11), (sx2 + 7, sy2 + 7), (sx2, sy2 + 10), (sx2 - 7, sy2 + 7)]])
    cv.paint(rgb('#000000'), blur(shift(cone, 1, 2), 2) * 0.3)
    cv.paint(shade(mix(rgb('#d7a86e'), rgb('#fff3e0'), 0.5 + 0.5 * np.sin(Y * 1.3)), blur(cone, 3) * 4), cone)
    finish(cv)
    return Frame('holiday_beach.ini', 'holiday_beach.png', False, cv, hold)


def crayon_with_note():
    """Drawing paper with a crayon border in four bright colours, doodles and room for a note."""
    rng = np.random.default_rng(121)
    border, margin, bottom = 22, 10, 54
    hold = photo_area(PAD_LT + border + margin, PAD_LT + border + margin, 300, True)
    l, t, r, b = hold
    x0, y0 = PAD_LT, PAD_LT
    x1, y1 = r + margin + border, b + bottom + border
    cv = Canvas(x1 + PAD_RB, y1 + PAD_RB)
    X, Y = cv.X, cv.Y
    w, h = cv.w, cv.h
    # Paper with a slightly wavy, hand-cut edge.
    wob = (fbm(w, h, 30, 30, rng, 2) - 0.5) * 3
    paper_sd = sd_box(X, Y, x0, y0, x1, y1, 3) + wob
    tooth = fbm(w, h, 1.5, 1.5, rng, 2)
    cv.paint(paper_texture(w, h, rng, rgb('#fffef8'), 0.03), cover(paper_sd))

    def crayon(paths, colour, width, strength=0.9):
        strokes = stroke_mask(w, h, paths, width)
        wax = smoothstep(0.25, 0.6, tooth + rng.random((h, w)).astype(np.float32) * 0.25)
        cv.paint(colour, strokes * wax * strength)

    # Hatched border: each side its own colour, strokes across the band.
    sides = [('top', rgb('#e53935')), ('right', rgb('#1e88e5')), ('bottom', rgb('#43a047')), ('left', rgb('#fdd835'))]
    for name, colour in sides:
        paths = []
        if name in ('top', 'bottom'):
            ya, yb = (y0 + 4, y0 + border) if name == 'top' else (y1 - border, y1 - 4)
            for x in np.arange(x0 + 6, x1 - 6, 3.2):
                j = rng.uniform(-1.5, 1.5)
                paths.append([(x + j, ya + rng.uniform(0, 2)), (x + j + 6, yb - rng.uniform(0, 2))])
        else:
            xa, xb = (x1 - border, x1 - 4) if name == 'right' else (x0 + 4, x0 + border)
            for y in np.arange(y0 + 6, y1 - 6, 3.2):
                j = rng.uniform(-1.5, 1.5)
                paths.append([(xa + rng.uniform(0, 2), y + j), (xb - rng.uniform(0, 2), y + j + 6)])
        crayon(paths, colour, 2.2, 0.8)
    # A wobbly outline drawn round the photo.
    ol = []
    for k in range(2):
        pts = []
        for s in np.linspace(0, 4, 120):
            side, f = int(s) % 4, s - int(s)
            px = [l - 4 + (r - l + 8) * f, r + 4, r + 4 - (r - l + 8) * f, l - 4][side]
            py = [t - 4, t - 4 + (b - t + 8) * f, b + 4, b + 4 - (b - t + 8) * f][side]
            pts.append((px + rng.uniform(-0.8, 0.8), py + rng.uniform(-0.8, 0.8)))
        ol.append(pts)
    crayon(ol, rgb('#8e24aa'), 1.8, 0.85)
    cv.erase(cover(sd_box(X, Y, *opening(hold))))
    inner_shadow_line(cv, hold, 0.2)
    # Doodles: a sun, a star, a heart and a little flower in the corners and along the note band.
    sun = [[(x0 + 20 + 7 * math.cos(a), y0 + 20 + 7 * math.sin(a)) for a in np.linspace(0, 2 * math.pi, 30)]]
    sun += [[(x0 + 20 + 10 * math.cos(a), y0 + 20 + 10 * math.sin(a)),
             (x0 + 20 + 15 * math.cos(a), y0 + 20 + 15 * math.sin(a))] for a in np.arange(0, 2 * math.pi, math.pi / 4)]
    cv.paint(rgb('#fffef8'), cover(sd_circle(X, Y, x0 + 20, y0 + 20, 16)))
    crayon(sun, rgb('#fb8c00'), 2.4, 0.95)
    star = star_polygon(x1 - 20, y0 + 20, 13, 6)
    cv.paint(rgb('#fffef8'), cover(sd_circle(X, Y, x1 - 20, y0 + 20, 15)))
    crayon([star + [star[0]]], rgb('#8e24aa'), 2.2, 0.95)
    heart = heart_polygon(x0 + 26, y1 - 28, 22)
    crayon([heart + [heart[0]]], rgb('#e53935'), 2.2, 0.95)
    crayon([[(x0 + 20 + k, y1 - 34 + k * 0.5), (x0 + 32 + k * 0.3, y1 - 24)] for k in range(0, 10, 2)],
           rgb('#e53935'), 1.6, 0.6)
    fl_x, fl_y = x1 - 28, y1 - 30
    petals = [[(fl_x + 6 * math.cos(a) + 4 * math.cos(a + s), fl_y + 6 * math.sin(a) + 4 * math.sin(a + s))
               for s in np.linspace(0, 2 * math.pi, 16)] for a in np.arange(0, 2 * math.pi, 2 * math.pi / 5)]
    crayon(petals, rgb('#1e88e5'), 1.8, 0.9)
    crayon([[(fl_x, fl_y + 10), (fl_x - 2, fl_y + 22)]], rgb('#43a047'), 2.2, 0.9)
    finish(cv, dx=2, dy=3, radius=5, opacity=0.35)
    note = (l + 30, b + 8, r - 36, y1 - border - 4)
    return Frame('kids_crayon.ini', 'kids_crayon_note.png', True, cv, hold, note)


def rainbow_stars():
    """A chunky glossy toy frame in rainbow colours with stars on it."""
    rng = np.random.default_rng(131)
    band = 32
    hold = photo_area(PAD_LT + band - TUCK, PAD_LT + band - TUCK, 240, False)
    l, t, r, b = hold
    x0, y0, x1, y1 = PAD_LT, PAD_LT, r - TUCK + band, b - TUCK + band
    cv = Canvas(x1 + PAD_RB, y1 + PAD_RB)
    X, Y = cv.X, cv.Y
    w, h = cv.w, cv.h
    outer = sd_box(X, Y, x0, y0, x1, y1, 24)
    op = sd_box(X, Y, *opening(hold), 8)
    # Hue follows the angle round the centre.
    ang = (np.arctan2(Y - (y0 + y1) / 2, X - (x0 + x1) / 2) / (2 * math.pi) + 0.5) * 6.0
    stops = np.stack([rgb('#ff5252'), rgb('#ffa726'), rgb('#ffee58'), rgb('#66bb6a'), rgb('#42a5f5'),
                      rgb('#ab47bc'), rgb('#ff5252')])
    i = np.floor(ang).astype(int) % 6
    f = (ang - np.floor(ang))[..., None]
    f = f * f * (3 - 2 * f)
    hue = stops[i] * (1 - f) + stops[i + 1] * f
    col, m = glossy_band(cv, outer, op, hue, depth=12.0, profile=lambda x: arch(x, 0.5), gloss=0.7, shininess=25)
    cv.paint(col, m)
    inner_shadow_line(cv, hold, 0.35)
    # Stars, white and yellow, slightly raised.
    placed, tries = [], 0
    while len(placed) < 16 and tries < 2000:
        tries += 1
        sx, sy = rng.uniform(x0 + 10, x1 - 10), rng.uniform(y0 + 10, y1 - 10)
        if not (m[int(sy), int(sx)] > 0.99 and op[int(sy), int(sx)] > 12 and outer[int(sy), int(sx)] < -10):
            continue
        if any(math.hypot(sx - px, sy - py) < 30 for px, py in placed):
            continue
        placed.append((sx, sy))
        sr = rng.uniform(7, 10)
        poly = star_polygon(sx, sy, sr, sr * 0.45, 5, -math.pi / 2 + rng.uniform(-0.4, 0.4))
        sm = polygon_mask(w, h, [poly])
        cv.paint(rgb('#000000'), blur(shift(sm, 1, 2), 2) * 0.3)
        colour = rgb('#ffffff') if len(placed) % 2 else rgb('#fff59d')
        cv.paint(shade(colour, blur(sm, 3) * 3, ambient=0.8, diffuse=0.3, specular=0.3), sm)
    finish(cv)
    return Frame('kids_stars.ini', 'kids_rainbow_stars.png', False, cv, hold)


def gallery_passepartout():
    """Thin black lacquer frame with a wide white passe-partout; the note sits under the photo."""
    rng = np.random.default_rng(141)
    band, mat_side, mat_bottom = 12, 34, 66
    hold = photo_area(PAD_LT + band + mat_side, PAD_LT + band + mat_side, 210, False)
    l, t, r, b = hold
    x0, y0 = PAD_LT, PAD_LT
    x1, y1 = r + mat_side + band, b + mat_bottom + band
    cv = Canvas(x1 + PAD_RB, y1 + PAD_RB)
    X, Y = cv.X, cv.Y
    w, h = cv.w, cv.h
    mat = paper_texture(w, h, rng, rgb('#fbfaf7'), 0.025)
    cv.paint(mat, cover(sd_box(X, Y, x0 + band - 2, y0 + band - 2, x1 - band + 2, y1 - band + 2)))
    mat_bevel(cv, hold, 5.0, rgb('#ffffff'))
    cv.erase(cover(sd_box(X, Y, *opening(hold))))
    inner_shadow_line(cv, hold, 0.3)
    m = Moulding(cv, x0, y0, x1, y1, band)
    inside = cover(sd_box(X, Y, x0 + band, y0 + band, x1 - band, y1 - band))
    sh = np.clip(blur(1 - inside, 5) - (1 - inside), 0, 1)
    cv.paint(rgb('#000000'), sh * 0.35 * cv.alpha)
    col = shade(rgb('#1c1c1e'), m.height(lambda x: arch(x, 0.5), 5.0), ambient=0.9, diffuse=0.5,
                specular=0.7, shininess=50)
    col = mix(col, rgb('#000000'), m.seam * 0.6)
    cv.paint(col, m.cover)
    finish(cv)
    note = (l, b + 12, r, y1 - band - 12)
    return Frame('classic_gallery.ini', 'classic_passepartout_note.png', False, cv, hold, note)


DESIGNS = [walnut_with_note, silver_brushed, oak_with_liner, gold_beaded, hearts_and_lace, roses_burgundy,
           garland_with_note, daisies_blue, holly_with_note, snowflakes_night, airmail_postcard, beach_sand,
           crayon_with_note, rainbow_stars, gallery_passepartout]
