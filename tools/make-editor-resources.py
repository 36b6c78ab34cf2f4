#!/usr/bin/python3
"""Draws the editor's pictures and icons into resources/editor, in the look of the frame designs
(soft light from the top left, gentle gloss, drop shadows).

    tools/make-editor-resources.py                 regenerate resources/editor and the help file's icons
    tools/make-editor-resources.py --sheet FILE    also write a contact sheet of everything drawn

PNG pictures (8-bit RGBA), loaded by name from the editor's resources:
  HEADER 540 x 57, SHADOW_B / SHADOW_T / SHADOW_L 16 x 16, ITEM_NEW / ITEM_DESKSET / ITEM_ABOUT
  48 x 48, BAR_ZOOM 21 x 346, BAR_ROT 346 x 18, IMG_HELP / IMG_UPDATE 32 x 32.
Icons (.ico, 32-bit colour with alpha): the push-button icons with 16, 24 and 32 pixel images and
the program icon with 16, 24, 32 and 48.

Needs Debian's python3-numpy and python3-pil. The output is committed; the build does not run this.
Everything is drawn from fixed shapes and seeds, so a second run writes the same bytes.
"""
import argparse
import math
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, 'frameset'))

import numpy as np  # noqa: E402
from PIL import Image, ImageDraw, ImageFont  # noqa: E402

from raster import Canvas, blur, cover, fbm, rgb, sd_box, sd_circle, shift  # noqa: E402

ROOT = os.path.dirname(HERE)
OUT = os.path.join(ROOT, 'resources', 'editor')
MANUAL_IMAGES = os.path.join(ROOT, 'docs', 'manual', 'images')
FONTS = '/usr/share/fonts/truetype/'
SS = 4  # supersampling per output pixel

WHITE = rgb('#ffffff')


# ---- shapes in design units ------------------------------------------------------------------------

def sd_segment(X, Y, ax, ay, bx, by, r):
    dx, dy = bx - ax, by - ay
    t = np.clip(((X - ax) * dx + (Y - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0)
    return np.hypot(X - (ax + t * dx), Y - (ay + t * dy)) - r


def sd_path(X, Y, points, r):
    d = None
    for (ax, ay), (bx, by) in zip(points, points[1:]):
        s = sd_segment(X, Y, ax, ay, bx, by, r)
        d = s if d is None else np.minimum(d, s)
    return d


def sd_polygon(X, Y, pts):
    """Exact distance to a closed polygon, negative inside."""
    pts = [(float(x), float(y)) for x, y in pts]
    d = (X - pts[0][0]) ** 2 + (Y - pts[0][1]) ** 2
    sign = np.ones_like(X)
    n = len(pts)
    for i in range(n):
        (ax, ay), (bx, by) = pts[i], pts[i - 1]
        ex, ey = bx - ax, by - ay
        wx, wy = X - ax, Y - ay
        t = np.clip((wx * ex + wy * ey) / (ex * ex + ey * ey), 0.0, 1.0)
        bx2, by2 = wx - ex * t, wy - ey * t
        d = np.minimum(d, bx2 * bx2 + by2 * by2)
        c1 = Y >= ay
        c2 = Y < by
        c3 = ex * wy > ey * wx
        flip = (c1 & c2 & c3) | (~c1 & ~c2 & ~c3)
        sign = np.where(flip, -sign, sign)
    return sign * np.sqrt(d)


def sd_arc(X, Y, cx, cy, radius, a0, a1, r):
    """A stroke of half-width r along a circle from angle a0 to a1 (degrees, clockwise on screen)."""
    ang = np.degrees(np.arctan2(Y - cy, X - cx)) % 360.0
    lo, span = a0 % 360.0, (a1 - a0) % 360.0
    inside = ((ang - lo) % 360.0) <= span
    ring = np.abs(np.hypot(X - cx, Y - cy) - radius) - r
    ends = []
    for a in (a0, a1):
        ex = cx + radius * math.cos(math.radians(a))
        ey = cy + radius * math.sin(math.radians(a))
        ends.append(np.hypot(X - ex, Y - ey) - r)
    return np.where(inside, ring, np.minimum(*ends))


def union(*ds):
    out = ds[0]
    for d in ds[1:]:
        out = np.minimum(out, d)
    return out


def cut(a, b):
    return np.maximum(a, -b)


# ---- drawing surface -----------------------------------------------------------------------------

class Ink:
    """A canvas addressed in design units: `units` across the picture's width."""

    def __init__(self, w, h, units_w, units_h=None):
        self.w, self.h = w, h
        self.cv = Canvas(w * SS, h * SS)
        self.k = w * SS / units_w                 # supersampled pixels per unit
        self.X = self.cv.X / self.k
        self.Y = self.cv.Y / self.k
        self.px = 1.0 / (self.k / SS)             # one output pixel in units

    def cov(self, d):
        return cover(d * self.k, SS * 0.9)

    def flat(self, d, colour, alpha=1.0):
        self.cv.paint(np.asarray(colour, np.float32), self.cov(d) * alpha)

    def vgrad(self, y0, y1, top, bottom):
        t = np.clip((self.Y - y0) / max(y1 - y0, 1e-6), 0.0, 1.0)[..., None]
        return np.asarray(top, np.float32) + (np.asarray(bottom, np.float32) - np.asarray(top, np.float32)) * t

    def body(self, d, y0, y1, top, bottom, edge, edge_w=1.0, gloss=0.35):
        """A lit shape: dark edge, vertical gradient fill, a soft sheen over its upper half."""
        w = edge_w * self.px
        self.flat(d, edge)
        self.cv.paint(self.vgrad(y0, y1, top, bottom), self.cov(d + w))
        if gloss:
            mid = y0 + (y1 - y0) * 0.5
            sheen = np.clip((mid - self.Y) / max(mid - y0, 1e-6), 0.0, 1.0) ** 0.8
            self.cv.paint(WHITE, self.cov(d + 2 * w) * sheen * gloss)

    def glyph(self, text, font, size, cx, cy, colour, alpha=1.0):
        """A text glyph centred at (cx, cy) in units; size is the font's pixel size in units."""
        px = max(1, int(round(size * self.k)))
        f = ImageFont.truetype(font, px)
        l, t, r, b = f.getbbox(text)
        img = Image.new('L', (self.cv.w, self.cv.h), 0)
        ImageDraw.Draw(img).text((cx * self.k - (l + r) / 2, cy * self.k - (t + b) / 2), text, font=f, fill=255)
        self.cv.paint(np.asarray(colour, np.float32), np.asarray(img, np.float32) / 255.0 * alpha)

    def shadow(self, dx=0.6, dy=1.0, radius=1.2, opacity=0.35):
        a = self.cv.alpha
        a = shift(blur(a, radius * self.k), int(round(dx * self.k)), int(round(dy * self.k))) * opacity
        self.cv.paint_under(np.zeros(3, np.float32), a)

    def image(self):
        """Downsampled to the output size (premultiplied box filter), straight RGBA."""
        p = self.cv.px.reshape(self.h, SS, self.w, SS, 4).mean(axis=(1, 3))
        a = p[..., 3:4]
        colour = np.where(a > 1e-6, p[..., :3] / np.maximum(a, 1e-6), 0.0)
        data = np.round(np.concatenate([np.clip(colour, 0, 1), np.clip(a, 0, 1)], axis=2) * 255.0)
        data = data.astype(np.uint8)
        data[data[..., 3] == 0] = 0
        return Image.fromarray(data, 'RGBA')


def sans_bold():
    return FONTS + 'dejavu/DejaVuSans-Bold.ttf'


# ---- the palette (taken from the frame designs) ------------------------------------------------------

GREEN = (rgb('#8ad66a'), rgb('#2f8a35'), rgb('#1f5a23'))
RED = (rgb('#f07a6a'), rgb('#b8262a'), rgb('#6e1416'))
BLUE = (rgb('#8cc4f2'), rgb('#2f6fb8'), rgb('#1b3f6e'))
GOLD = (rgb('#f6d77a'), rgb('#b8862c'), rgb('#6a4a14'))
ORANGE = (rgb('#ffc070'), rgb('#ff8400'), rgb('#9a4c00'))
STEEL = (rgb('#e6ebf0'), rgb('#8c98a6'), rgb('#4a5360'))
SCALE_INK = rgb('#3a5a7a')  # marks of the slider scales


def grey(img, lift=0.45):
    """The disabled look: no colour, lighter, half as strong."""
    a = np.asarray(img, np.float32) / 255.0
    lum = a[..., 0] * 0.3 + a[..., 1] * 0.59 + a[..., 2] * 0.11
    lum = lum + (1.0 - lum) * lift
    out = np.stack([lum, lum, lum, a[..., 3] * 0.6], axis=2)
    data = np.round(out * 255.0).astype(np.uint8)
    data[data[..., 3] == 0] = 0
    return Image.fromarray(data, 'RGBA')


# ---- little pictures used by several icons ------------------------------------------------------------

def landscape(ink, x0, y0, x1, y1):
    """Sky, sun and two hills inside a rectangle."""
    box = sd_box(ink.X, ink.Y, x0, y0, x1, y1)
    ink.cv.paint(ink.vgrad(y0, y1, rgb('#5fa8ec'), rgb('#bfe0fa')), ink.cov(box))
    w, h = x1 - x0, y1 - y0
    sun = sd_circle(ink.X, ink.Y, x0 + w * 0.72, y0 + h * 0.3, h * 0.16)
    ink.flat(np.maximum(sun, box), rgb('#ffd23c'))
    hill1 = sd_circle(ink.X, ink.Y, x0 + w * 0.2, y1 + h * 0.75, h * 1.15)
    hill2 = sd_circle(ink.X, ink.Y, x0 + w * 0.85, y1 + h * 0.9, h * 1.2)
    ink.flat(np.maximum(hill1, box), rgb('#4fa34a'))
    ink.flat(np.maximum(hill2, box), rgb('#2f7d3a'))


def framed_picture(ink, x0, y0, x1, y1, band, colours=GOLD):
    """A small moulded frame with a landscape in it."""
    outer = sd_box(ink.X, ink.Y, x0, y0, x1, y1, band * 0.25)
    ink.body(outer, y0, y1, colours[0], colours[1], colours[2], gloss=0.3)
    # Bevel: the inner half of the band a little darker, as a moulding's cove.
    inner_band = sd_box(ink.X, ink.Y, x0 + band * 0.5, y0 + band * 0.5, x1 - band * 0.5, y1 - band * 0.5)
    ink.flat(inner_band, colours[1], 0.45)
    landscape(ink, x0 + band, y0 + band, x1 - band, y1 - band)
    opening = sd_box(ink.X, ink.Y, x0 + band, y0 + band, x1 - band, y1 - band)
    ink.flat(np.abs(opening) - 0.5 * ink.px, colours[2], 0.7)


def badge(ink, cx, cy, r, colours):
    d = sd_circle(ink.X, ink.Y, cx, cy, r)
    ink.flat(d - 1.0 * ink.px, WHITE)
    ink.body(d, cy - r, cy + r, colours[0], colours[1], colours[2], gloss=0.4)
    return d


def plus_sign(ink, cx, cy, arm, half_w, colour):
    d = union(sd_box(ink.X, ink.Y, cx - arm, cy - half_w, cx + arm, cy + half_w, half_w * 0.4),
              sd_box(ink.X, ink.Y, cx - half_w, cy - arm, cx + half_w, cy + arm, half_w * 0.4))
    ink.flat(d, colour)


def minus_sign(ink, cx, cy, arm, half_w, colour):
    ink.flat(sd_box(ink.X, ink.Y, cx - arm, cy - half_w, cx + arm, cy + half_w, half_w * 0.4), colour)


# ---- push-button icons (designed on a 32-unit square) --------------------------------------------------

def icon_apply(ink):
    X, Y = ink.X, ink.Y
    d = sd_path(X, Y, [(6.0, 16.5), (12.5, 23.5), (26.5, 8.5)], 3.2)
    ink.body(d, 6, 27, *GREEN)


def icon_cancel(ink):
    X, Y = ink.X, ink.Y
    d = union(sd_segment(X, Y, 8, 8, 24, 24, 3.1), sd_segment(X, Y, 24, 8, 8, 24, 3.1))
    ink.body(d, 5, 27, *RED)


def icon_done(ink):
    framed_picture(ink, 2.5, 4.5, 25.5, 23.5, 3.6)
    cx, cy, r = 23.5, 23.0, 7.2
    badge(ink, cx, cy, r, GREEN)
    ink.flat(sd_path(ink.X, ink.Y, [(20.0, 23.2), (22.6, 25.8), (27.0, 20.6)], 1.25), WHITE)


def icon_frame(ink):
    framed_picture(ink, 3.0, 5.0, 29.0, 27.0, 5.0)


def icon_open(ink):
    X, Y = ink.X, ink.Y
    back = union(sd_box(X, Y, 2.5, 7.5, 27.5, 26.5, 1.6), sd_box(X, Y, 2.5, 5.0, 12.5, 10.0, 1.4))
    ink.body(back, 5, 27, rgb('#f5c25a'), rgb('#c98a1e'), rgb('#7a4e0c'), gloss=0.0)
    # A photo sticking out of the folder.
    photo = sd_box(X, Y, 8.0, 9.5, 25.0, 21.0, 0.6)
    ink.flat(photo, rgb('#5a6470'))
    ink.flat(photo + ink.px, WHITE)
    landscape(ink, 9.5, 11.0, 23.5, 19.5)
    front = sd_polygon(X, Y, [(1.5, 14.0), (30.5, 14.0), (27.5, 27.0), (3.5, 27.0)])
    ink.body(front, 14, 27, rgb('#ffe08a'), rgb('#f0aa2e'), rgb('#7a4e0c'), gloss=0.3)


def magnifier(ink):
    X, Y = ink.X, ink.Y
    handle = sd_segment(X, Y, 19.5, 19.5, 27.5, 27.5, 2.6)
    ink.body(handle, 18, 29, rgb('#6a5040'), rgb('#3a2a20'), rgb('#1e140e'), gloss=0.25)
    rim = sd_circle(X, Y, 13.0, 13.0, 10.5)
    ink.body(rim, 2.5, 23.5, *STEEL, gloss=0.2)
    glass = sd_circle(X, Y, 13.0, 13.0, 8.2)
    ink.cv.paint(ink.vgrad(5, 21, rgb('#ffffff'), rgb('#cfe6fb')), ink.cov(glass))
    ink.flat(np.maximum(glass, sd_circle(X, Y, 10.5, 9.5, 5.0)), WHITE, 0.7)


def icon_zoomin(ink):
    magnifier(ink)
    plus_sign(ink, 13.0, 13.0, 5.2, 1.6, BLUE[1])


def icon_zoomout(ink):
    magnifier(ink)
    minus_sign(ink, 13.0, 13.0, 5.2, 1.6, BLUE[1])


def icon_edit(ink):
    X, Y = ink.X, ink.Y
    ax, ay, bx, by = 25.5, 6.5, 8.0, 24.0  # along the pencil, eraser end to tip end
    ux, uy = (bx - ax) / math.hypot(bx - ax, by - ay), (by - ay) / math.hypot(bx - ax, by - ay)
    nx, ny = -uy, ux
    r = 3.6

    def band(t0, t1, rr):
        return [(ax + ux * t0 + nx * rr, ay + uy * t0 + ny * rr), (ax + ux * t1 + nx * rr, ay + uy * t1 + ny * rr),
                (ax + ux * t1 - nx * rr, ay + uy * t1 - ny * rr), (ax + ux * t0 - nx * rr, ay + uy * t0 - ny * rr)]
    length = math.hypot(bx - ax, by - ay)
    eraser = sd_polygon(X, Y, band(-2.5, 2.5, r))
    ferrule = sd_polygon(X, Y, band(2.5, 5.0, r))
    body = sd_polygon(X, Y, band(5.0, length, r))
    tip = ax + ux * (length + 6.5), ay + uy * (length + 6.5)
    cone = sd_polygon(X, Y, [band(length, length, r)[0], tip, band(length, length, r)[3]])
    lead = sd_polygon(X, Y, [(ax + ux * (length + 4.2) + nx * 1.2, ay + uy * (length + 4.2) + ny * 1.2), tip,
                             (ax + ux * (length + 4.2) - nx * 1.2, ay + uy * (length + 4.2) - ny * 1.2)])
    ink.body(cone, 20, 30, rgb('#f7dcb0'), rgb('#d9a86a'), rgb('#6a4a24'), gloss=0.0)
    ink.flat(lead, rgb('#3a3a3a'))
    ink.body(body, 4, 26, ORANGE[0], ORANGE[1], ORANGE[2], gloss=0.0)
    # A lit facet along the pencil's upper side.
    facet = np.maximum(body + ink.px, -((X - ax) * nx + (Y - ay) * ny) - 0.8)
    ink.flat(facet, rgb('#ffd9a0'), 0.8)
    ink.body(ferrule, 4, 12, *STEEL, gloss=0.0)
    ink.body(eraser, 2, 10, rgb('#ffb0b8'), rgb('#e0607a'), rgb('#7a2030'), gloss=0.0)


def icon_hideshow(ink):
    X, Y = ink.X, ink.Y
    lid = np.maximum(sd_circle(X, Y, 16.0, 29.0, 20.5), sd_circle(X, Y, 16.0, 3.0, 20.5))
    ink.body(lid, 8, 24, rgb('#ffffff'), rgb('#dfe6ee'), rgb('#3a4450'), gloss=0.0)
    iris = np.maximum(sd_circle(X, Y, 16.0, 16.0, 6.4), lid + ink.px)
    ink.cv.paint(ink.vgrad(10, 22, rgb('#5fa8ec'), rgb('#1f5aa0')), ink.cov(iris))
    ink.flat(sd_circle(X, Y, 16.0, 16.0, 2.9), rgb('#101820'))
    ink.flat(sd_circle(X, Y, 14.2, 14.0, 1.5), WHITE, 0.95)
    # Lashes above the lid.
    for a in (-120, -90, -60):
        c, s = math.cos(math.radians(a)), math.sin(math.radians(a))
        ink.flat(sd_segment(X, Y, 16 + c * 9.5, 16 + s * 7.0, 16 + c * 12.5, 16 + s * 10.0, 0.9), rgb('#3a4450'))


def icon_delete(ink):
    X, Y = ink.X, ink.Y
    can = sd_polygon(X, Y, [(7.0, 10.5), (25.0, 10.5), (23.2, 29.0), (8.8, 29.0)])
    ink.body(can, 10, 29, *STEEL, gloss=0.0)
    for x in (11.8, 16.0, 20.2):
        ink.flat(sd_segment(X, Y, x, 13.5, x * 0.96 + 0.64, 26.0, 0.9), rgb('#5a6470'), 0.85)
    lid = union(sd_box(X, Y, 4.5, 6.5, 27.5, 10.0, 1.0), sd_box(X, Y, 12.5, 3.0, 19.5, 7.0, 1.2))
    ink.body(cut(lid, sd_box(X, Y, 14.2, 4.6, 17.8, 6.6)), 3, 10, rgb('#f07a6a'), rgb('#c0302c'), RED[2],
             gloss=0.3)


def round_arrow(ink, pointing_right):
    X, Y = ink.X, ink.Y
    ball = sd_circle(X, Y, 16.0, 16.0, 13.5)
    ink.body(ball, 2.5, 29.5, *BLUE, gloss=0.45)
    s = 1 if pointing_right else -1
    head = [(16 + s * 9.0, 16.0), (16 + s * 1.0, 8.0), (16 + s * 1.0, 24.0)]
    arrow = union(sd_polygon(X, Y, head), sd_box(X, Y, min(16 - s * 7.5, 16 + s * 2), 12.8,
                                                 max(16 - s * 7.5, 16 + s * 2), 19.2))
    ink.flat(arrow + 0.6, rgb('#1b3f6e'), 0.35)
    ink.flat(arrow, WHITE)


def icon_next(ink):
    round_arrow(ink, True)


def icon_prev(ink):
    round_arrow(ink, False)


def speech_bubble(ink, colours):
    X, Y = ink.X, ink.Y
    bubble = union(sd_box(X, Y, 2.5, 3.5, 29.5, 23.0, 6.0),
                   sd_polygon(X, Y, [(8.0, 20.0), (15.0, 21.0), (6.0, 29.5)]))
    ink.body(bubble, 3, 29, *colours, gloss=0.35)


def icon_askq(ink):
    speech_bubble(ink, BLUE)
    ink.glyph('?', sans_bold(), 17.0, 16.0, 13.4, WHITE)


def icon_web(ink):
    X, Y = ink.X, ink.Y
    ball = sd_circle(X, Y, 16.0, 16.0, 13.5)
    ink.body(ball, 2.5, 29.5, rgb('#8cd0fa'), rgb('#1f6fc0'), rgb('#123a6a'), gloss=0.0)
    # Continents: fixed noise, thresholded and clipped to the sphere, lit by the same light.
    rng = np.random.default_rng(1109)
    relief = fbm(ink.cv.w, ink.cv.h, ink.k * 9.0, ink.k * 7.0, rng, octaves=4)
    level = np.quantile(relief[ball < 0], 0.64)   # about a third of the sphere is land
    land = (level - relief) * 12.0                # negative where the noise is high, in design units
    land = np.maximum(land, ball + 1.2 * ink.px)
    ink.cv.paint(ink.vgrad(4, 28, rgb('#9ad66a'), rgb('#2f7a30')), ink.cov(land))
    # Meridian and parallels.
    for d in (np.abs(np.hypot((X - 16.0) / 0.45, Y - 16.0) - 13.5) - 0.35,
              np.abs(Y - 16.0) - 0.35, np.abs(Y - 9.5) - 0.3, np.abs(Y - 22.5) - 0.3):
        ink.flat(np.maximum(d, ball + ink.px), WHITE, 0.45)
    sheen = np.maximum(sd_circle(X, Y, 12.0, 10.0, 8.5), ball)
    ink.flat(sheen, WHITE, 0.25)


BUTTON_ICONS = {
    'BTN_APPLY': icon_apply,
    'BTN_ASKQ': icon_askq,
    'BTN_CANCEL': icon_cancel,
    'BTN_DELETE': icon_delete,
    'BTN_DONE': icon_done,
    'BTN_EDIT': icon_edit,
    'BTN_FRAME': icon_frame,
    'BTN_HIDESHOW': icon_hideshow,
    'BTN_NEXT': icon_next,
    'BTN_OPEN': icon_open,
    'BTN_PREV': icon_prev,
    'BTN_WEB': icon_web,
    'BTN_ZOOMIN': icon_zoomin,
    'BTN_ZOOMOUT': icon_zoomout,
}
DISABLED = {'BTN_NEXT_DSBLD': 'BTN_NEXT', 'BTN_PREV_DSBLD': 'BTN_PREV', 'BTN_ZOOMOUT_DSBLD': 'BTN_ZOOMOUT'}
ICON_SIZES = (16, 24, 32)


def draw_icon(fn, size, shadow=True):
    ink = Ink(size, size, 32.0)
    fn(ink)
    if shadow:
        ink.shadow(opacity=0.3 if size > 16 else 0.22)
    return ink.image()


def program_icon(ink):
    """The editor: a framed photo with a pencil laid across its corner."""
    framed_picture(ink, 1.5, 3.0, 27.0, 24.0, 4.2, GOLD)
    X, Y = ink.X, ink.Y
    sub = Ink.__new__(Ink)
    sub.__dict__.update(ink.__dict__)
    # The pencil, smaller and lower right: the design square mapped onto 24 units at (9, 9).
    scale = 32.0 / 24.0
    sub.X, sub.Y = (X - 9.0) * scale, (Y - 9.0) * scale
    sub.px = ink.px * scale
    sub.k = ink.k / scale
    icon_edit(sub)


# ---- navigation icons (48 x 48, on the light grey faces) ----------------------------------------------

def item_new(ink):
    framed_picture(ink, 3.0, 7.0, 39.0, 35.0, 5.5)
    cx, cy, r = 36.0, 35.0, 9.5
    badge(ink, cx, cy, r, ORANGE)
    plus_sign(ink, cx, cy, 5.4, 1.6, WHITE)


def item_deskset(ink):
    X, Y = ink.X, ink.Y
    stand = sd_polygon(X, Y, [(19.5, 34.0), (28.5, 34.0), (30.5, 41.5), (17.5, 41.5)])
    ink.body(stand, 34, 42, *STEEL, gloss=0.0)
    foot = sd_box(X, Y, 12.0, 40.5, 36.0, 44.0, 1.6)
    ink.body(foot, 40, 44, *STEEL, gloss=0.2)
    bezel = sd_box(X, Y, 2.5, 5.5, 45.5, 35.5, 2.6)
    ink.body(bezel, 5, 36, rgb('#5a6470'), rgb('#2a3038'), rgb('#14181c'), gloss=0.15)
    screen = sd_box(X, Y, 5.0, 8.0, 43.0, 32.5)
    ink.cv.paint(ink.vgrad(8, 33, rgb('#3f88d8'), rgb('#9fd0f4')), ink.cov(screen))
    # Two framed photos standing on the desktop.
    framed_picture(ink, 8.5, 11.0, 23.5, 23.0, 2.4, GOLD)
    framed_picture(ink, 25.0, 15.5, 37.5, 29.5, 2.2, (rgb('#f0d0a0'), rgb('#a0683a'), rgb('#4a2a10')))
    ink.flat(np.maximum(screen, sd_polygon(X, Y, [(5, 8), (30, 8), (5, 24)])), WHITE, 0.16)


def item_about(ink):
    X, Y = ink.X, ink.Y
    d = sd_circle(X, Y, 24.0, 23.0, 19.5)
    ink.body(d, 3.5, 42.5, *BLUE, gloss=0.45)
    ink.flat(sd_circle(X, Y, 24.0, 13.5, 3.1), WHITE)
    ink.flat(union(sd_box(X, Y, 21.0, 19.0, 27.0, 34.5, 0.8), sd_box(X, Y, 18.5, 19.0, 26.0, 21.5, 0.6),
                   sd_box(X, Y, 18.0, 32.0, 30.0, 35.0, 0.8)), WHITE)


ITEMS = {'ITEM_NEW': item_new, 'ITEM_DESKSET': item_deskset, 'ITEM_ABOUT': item_about}


# ---- tool images of the title bar (32 x 32, over the accent gradient) ----------------------------------

def tool_help(ink):
    badge(ink, 16.0, 15.5, 13.0, BLUE)
    ink.glyph('?', sans_bold(), 19.0, 16.0, 15.8, WHITE)


def tool_update(ink):
    X, Y = ink.X, ink.Y
    badge(ink, 16.0, 15.5, 13.0, GREEN)
    # Two arrows chasing each other round the circle.
    for a0, a1 in ((200.0, 320.0), (20.0, 140.0)):
        ink.flat(sd_arc(X, Y, 16.0, 15.5, 7.2, a0, a1, 1.5), WHITE)
        c, s = math.cos(math.radians(a1)), math.sin(math.radians(a1))
        tx, ty = 16.0 + 7.2 * c, 15.5 + 7.2 * s
        # The head points along the direction of travel (clockwise).
        dx, dy = -s, c
        nx, ny = c, s
        head = [(tx + dx * 4.2, ty + dy * 4.2), (tx + nx * 3.8, ty + ny * 3.8), (tx - nx * 3.8, ty - ny * 3.8)]
        ink.flat(sd_polygon(X, Y, head), WHITE)


TOOLS = {'IMG_HELP': tool_help, 'IMG_UPDATE': tool_update}


# ---- background pieces ---------------------------------------------------------------------------------

def shadow_strip(kind):
    """16 x 16 pieces stretched along the page area: uniform along the stretch so they scale cleanly.
    B: a soft shadow falling below the page; T and L: a thin shadow just outside the top and left edges
    (rows or columns 0 to 2), clear beyond, where the page and the buttons lie."""
    a = np.zeros(16, np.float32)
    if kind == 'B':
        t = np.arange(16, dtype=np.float32) + 0.5
        a = 0.42 * (1.0 - t / 16.0) ** 1.8
    else:
        a[:3] = (0.07, 0.16, 0.30)
    img = np.zeros((16, 16, 4), np.uint8)
    alpha = np.round(a * 255.0).astype(np.uint8)
    if kind == 'L':
        img[:, :, 3] = alpha[None, :]
    else:
        img[:, :, 3] = alpha[:, None]
    return Image.fromarray(img, 'RGBA')


def header():
    """The title at the top left: an emblem and the program's name, light on the accent gradient."""
    w, h = 540, 57
    ink = Ink(w, h, float(w))
    framed_picture(ink, 17.0, 9.0, 59.0, 43.0, 5.0)
    ink.shadow(dx=1.5, dy=2.5, radius=4.0, opacity=0.45)
    cv = ink.cv
    title = ImageFont.truetype(FONTS + 'dejavu/DejaVuSerif-BoldItalic.ttf', 34 * SS)
    tag = ImageFont.truetype(FONTS + 'liberation/LiberationSans-Italic.ttf', 14 * SS)
    mask = Image.new('L', (cv.w, cv.h), 0)
    draw = ImageDraw.Draw(mask)
    draw.text((74 * SS, 3 * SS), 'Lumetta', font=title, fill=255)
    right = draw.textbbox((74 * SS, 3 * SS), 'Lumetta', font=title)[2]
    draw.text((right + 14 * SS, 24 * SS), 'framed photos for your desktop', font=tag, fill=255)
    m = np.asarray(mask, np.float32) / 255.0
    soft = shift(blur(m, 3.0 * SS), SS, 2 * SS)
    cv.paint_under(np.zeros(3, np.float32), soft * 0.55)
    cv.paint(ink.vgrad(5, 45, rgb('#ffffff'), rgb('#f1ead8')), m)
    return ink.image()


def bar_zoom():
    """Beside the vertical zoom slider: a plus at the top (larger picture), a wedge narrowing down to a
    minus at the bottom."""
    w, h = 21, 346
    ink = Ink(w, h, float(w))
    X, Y = ink.X, ink.Y
    wedge = sd_polygon(X, Y, [(4.0, 18.0), (17.0, 18.0), (11.5, 327.0), (9.5, 327.0)])
    ink.body(wedge, 18, 327, rgb('#bcd6ee'), rgb('#5a86b4'), SCALE_INK, gloss=0.0)
    plus_sign(ink, 10.5, 8.0, 5.0, 1.4, SCALE_INK)
    minus_sign(ink, 10.5, 337.5, 5.0, 1.4, SCALE_INK)
    return ink.image()


def bar_rot():
    """Above the rotation slider: a scale from -90 to 90 degrees in steps of 15, its centre (no tilt)
    marked by a small orange pointer."""
    w, h = 346, 18
    ink = Ink(w, h, float(w))
    X, Y = ink.X, ink.Y
    colour = SCALE_INK
    # The slider's thumb runs about 12 pixels in from each end.
    x0, x1 = 13.0, 333.0
    ink.flat(sd_box(X, Y, x0, 14.6, x1, 15.6), colour, 0.55)
    for i in range(13):
        x = x0 + (x1 - x0) * i / 12.0
        top = 6.0 if i == 6 else (9.5 if i % 3 == 0 else 12.0)
        ink.flat(sd_box(X, Y, x - 0.5, top, x + 0.5, 15.6), colour, 1.0 if i == 6 else 0.7)
    ink.flat(sd_polygon(X, Y, [(x0 + (x1 - x0) / 2 - 3.5, 0.5), (x0 + (x1 - x0) / 2 + 3.5, 0.5),
                               ((x0 + x1) / 2, 5.0)]), ORANGE[1])
    return ink.image()


# ---- writing -------------------------------------------------------------------------------------------

def save_png(img, path):
    img.save(path, optimize=True)


def dib(img):
    """One icon image: a 32-bit BGRA bitmap (bottom-up, height doubled for the mask) and its AND mask."""
    size = img.size[0]
    rows = np.asarray(img, np.uint8)
    header_bytes = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    bgra = rows[::-1][..., [2, 1, 0, 3]].tobytes()
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in rows[::-1]:
        line = bytearray(stride)
        for x in range(size):
            if row[x, 3] == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header_bytes + bgra + bytes(mask)


def save_ico(images, path):
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    blobs = []
    for img in images:
        blob = dib(img)
        size = img.size[0]
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    with open(path, 'wb') as f:
        f.write(out + b''.join(blobs))


def pictures():
    """Every PNG picture by resource name."""
    out = {'HEADER': header(), 'SHADOW_B': shadow_strip('B'), 'SHADOW_T': shadow_strip('T'),
           'SHADOW_L': shadow_strip('L')}
    for name, fn in ITEMS.items():
        ink = Ink(48, 48, 48.0)
        fn(ink)
        ink.shadow(dx=0.8, dy=1.5, radius=2.2, opacity=0.35)
        out[name] = ink.image()
    out['BAR_ZOOM'] = bar_zoom()
    out['BAR_ROT'] = bar_rot()
    for name, fn in TOOLS.items():
        out[name] = draw_icon(fn, 32)
    return out


def icons():
    """Every icon by resource name: a list of images, largest first."""
    out = {}
    for name, fn in BUTTON_ICONS.items():
        out[name] = [draw_icon(fn, n) for n in reversed(ICON_SIZES)]
    for name, source in DISABLED.items():
        out[name] = [grey(img) for img in out[source]]
    out['MAINICON'] = [draw_icon(program_icon, n) for n in (48, 32, 24, 16)]
    return out


def manual_images(pics, icos):
    """The icons the help file shows beside the controls they stand for, at the size the window uses."""
    def image(name, size):
        return next(im for im in icos[name] if im.size[0] == size)
    out = {'program': image('MAINICON', 48)}
    for name in ('ITEM_NEW', 'ITEM_DESKSET', 'ITEM_ABOUT', 'IMG_HELP', 'IMG_UPDATE'):
        out[name.lower()] = pics[name]
    for name in ('BTN_OPEN', 'BTN_ZOOMIN', 'BTN_ZOOMOUT'):
        out[name.lower()] = image(name, 16)
    for name in ('BTN_FRAME', 'BTN_DONE', 'BTN_EDIT', 'BTN_HIDESHOW', 'BTN_DELETE', 'BTN_APPLY', 'BTN_CANCEL',
                 'BTN_ASKQ', 'BTN_WEB'):
        out[name.lower()] = image(name, 24)
    for name in ('BTN_FRAME', 'BTN_PREV', 'BTN_NEXT'):
        out[name.lower() + '_32'] = image(name, 32)
    os.makedirs(MANUAL_IMAGES, exist_ok=True)
    for name, img in out.items():
        save_png(img, os.path.join(MANUAL_IMAGES, name + '.png'))


def sheet(pics, icos, path):
    """Everything on the three grounds it is seen on: window colour, the face grey, an accent blue."""
    grounds = [(255, 255, 255), (234, 234, 234), (62, 110, 170)]
    rows = [[pics['HEADER']], [pics[n] for n in list(ITEMS) + list(TOOLS)]]
    for name, imgs in icos.items():
        rows.append([im.resize((im.size[0] * 2, im.size[1] * 2), Image.NEAREST) for im in imgs] + imgs)
    rows.append([pics['BAR_ROT'], pics['BAR_ZOOM'].rotate(90, expand=True)])
    rows.append([pics[n].resize((64, 64), Image.NEAREST) for n in ('SHADOW_T', 'SHADOW_L', 'SHADOW_B')])
    width = max(sum(im.size[0] + 8 for im in row) for row in rows) + 8
    height = sum(max(im.size[1] for im in row) + 8 for row in rows) + 8
    out = Image.new('RGB', (width * len(grounds), height))
    for g, ground in enumerate(grounds):
        panel = Image.new('RGBA', (width, height), ground + (255,))
        y = 8
        for row in rows:
            x = 8
            for im in row:
                panel.alpha_composite(im, (x, y))
                x += im.size[0] + 8
            y += max(im.size[1] for im in row) + 8
        out.paste(panel.convert('RGB'), (g * width, 0))
    out.save(path)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('--sheet', help='also write a contact sheet PNG here')
    args = parser.parse_args()
    os.makedirs(OUT, exist_ok=True)
    pics = pictures()
    for name, img in pics.items():
        save_png(img, os.path.join(OUT, name.lower() + '.png'))
    icos = icons()
    for name, imgs in icos.items():
        save_ico(imgs, os.path.join(OUT, name.lower() + '.ico'))
    manual_images(pics, icos)
    if args.sheet:
        sheet(pics, icos, args.sheet)


if __name__ == '__main__':
    main()
