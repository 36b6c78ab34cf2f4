"""Small raster toolkit for the frame designs: float images, anti-aliased shapes, noise, blur, lighting.

Images are numpy arrays of float32 in 0..1. A Canvas holds premultiplied RGBA, so that painting is the
plain "over" operator and soft edges, shadows and holes keep their true alpha when saved.
"""
import math

import numpy as np
from PIL import Image, ImageDraw

# Light falls from the top left, a little in front of the picture.
LIGHT = np.array([-0.55, -0.75, 1.0], np.float32)
LIGHT /= np.linalg.norm(LIGHT)


def rgb(hex_text):
    """'#rrggbb' to a float triple."""
    h = hex_text.lstrip('#')
    return np.array([int(h[i:i + 2], 16) / 255.0 for i in (0, 2, 4)], np.float32)


def mix(a, b, t):
    t = np.asarray(t, np.float32)
    if t.ndim == 2:
        t = t[..., None]
    return a + (b - a) * t


def smoothstep(e0, e1, x):
    t = np.clip((x - e0) / (e1 - e0), 0.0, 1.0)
    return t * t * (3 - 2 * t)


class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = np.zeros((h, w, 4), np.float32)
        ys, xs = np.mgrid[0:h, 0:w].astype(np.float32)
        self.X = xs + 0.5
        self.Y = ys + 0.5

    @property
    def alpha(self):
        return self.px[..., 3]

    def paint(self, colour, cover):
        """Lays colour (a triple or an HxWx3 array) over the canvas where cover (HxW, 0..1) says."""
        cover = np.clip(np.asarray(cover, np.float32), 0.0, 1.0)
        colour = np.asarray(colour, np.float32)
        src = colour * cover[..., None] if colour.ndim == 3 else colour[None, None, :] * cover[..., None]
        keep = 1.0 - cover[..., None]
        self.px[..., :3] = src + self.px[..., :3] * keep
        self.px[..., 3] = cover + self.px[..., 3] * keep[..., 0]

    def paint_under(self, colour, cover):
        """Lays colour beneath what is already there (shadows)."""
        cover = np.clip(np.asarray(cover, np.float32), 0.0, 1.0)
        colour = np.asarray(colour, np.float32)
        src = colour * cover[..., None] if colour.ndim == 3 else colour[None, None, :] * cover[..., None]
        keep = 1.0 - self.px[..., 3:4]
        self.px[..., :3] += src * keep
        self.px[..., 3] += cover * keep[..., 0]

    def erase(self, cover):
        """Cuts a hole: what cover says becomes transparent."""
        keep = 1.0 - np.clip(cover, 0.0, 1.0)
        self.px *= keep[..., None]

    def composite(self, other, x=0, y=0):
        """Lays another canvas (or a premultiplied RGBA array) over this one at (x, y)."""
        src = other.px if isinstance(other, Canvas) else other
        h, w = src.shape[:2]
        x0, y0 = max(x, 0), max(y, 0)
        x1, y1 = min(x + w, self.w), min(y + h, self.h)
        if x1 <= x0 or y1 <= y0:
            return
        s = src[y0 - y:y1 - y, x0 - x:x1 - x]
        d = self.px[y0:y1, x0:x1]
        self.px[y0:y1, x0:x1] = s + d * (1.0 - s[..., 3:4])

    def straight(self):
        a = self.px[..., 3:4]
        colour = np.where(a > 1e-6, self.px[..., :3] / np.maximum(a, 1e-6), 0.0)
        return np.concatenate([np.clip(colour, 0, 1), np.clip(a, 0, 1)], axis=2)

    def image(self):
        data = np.round(self.straight() * 255.0).astype(np.uint8)
        # Fully transparent pixels carry no colour: smaller files, and no stray colour under scaling.
        data[data[..., 3] == 0] = 0
        return Image.fromarray(data, 'RGBA')


# ---- signed distances (negative inside) and coverage ------------------------------------------------

def sd_box(X, Y, x0, y0, x1, y1, r=0.0):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r
    qx = np.abs(X - cx) - hx
    qy = np.abs(Y - cy) - hy
    outside = np.hypot(np.maximum(qx, 0), np.maximum(qy, 0))
    inside = np.minimum(np.maximum(qx, qy), 0)
    return outside + inside - r


def sd_circle(X, Y, cx, cy, r):
    return np.hypot(X - cx, Y - cy) - r


def sd_ellipse(X, Y, cx, cy, rx, ry):
    """Approximate distance to an ellipse, good enough for anti-aliased edges."""
    k = np.hypot((X - cx) / rx, (Y - cy) / ry)
    grad = np.hypot((X - cx) / (rx * rx), (Y - cy) / (ry * ry))
    return (k - 1.0) * k / np.maximum(grad, 1e-6)


def cover(sd, soft=1.0):
    return np.clip(0.5 - sd / soft, 0.0, 1.0)


def polygon_mask(w, h, polygons, scale=4):
    """Anti-aliased coverage of polygons (lists of (x, y) points) by supersampling."""
    img = Image.new('L', (w * scale, h * scale), 0)
    draw = ImageDraw.Draw(img)
    for poly in polygons:
        draw.polygon([(x * scale, y * scale) for x, y in poly], fill=255)
    img = img.resize((w, h), Image.BOX)
    return np.asarray(img, np.float32) / 255.0


def stroke_mask(w, h, paths, width, scale=4):
    """Anti-aliased coverage of polylines with round joins."""
    img = Image.new('L', (w * scale, h * scale), 0)
    draw = ImageDraw.Draw(img)
    lw = max(1, int(round(width * scale)))
    for path in paths:
        pts = [(x * scale, y * scale) for x, y in path]
        draw.line(pts, fill=255, width=lw, joint='curve')
        r = lw / 2
        for x, y in (pts[0], pts[-1]):
            draw.ellipse((x - r, y - r, x + r, y + r), fill=255)
    img = img.resize((w, h), Image.BOX)
    return np.asarray(img, np.float32) / 255.0


# ---- noise and blur ------------------------------------------------------------------------------

def smooth_noise(w, h, sx, sy, rng):
    """Smooth value noise in 0..1 with feature sizes sx, sy (pixels)."""
    gw, gh = int(math.ceil(w / sx)) + 3, int(math.ceil(h / sy)) + 3
    grid = rng.random((gh, gw)).astype(np.float32)
    big = Image.fromarray(grid, 'F').resize((int(gw * sx), int(gh * sy)), Image.BICUBIC)
    arr = np.asarray(big, np.float32)
    ox, oy = int(sx), int(sy)
    return np.clip(arr[oy:oy + h, ox:ox + w], 0.0, 1.0)


def fbm(w, h, sx, sy, rng, octaves=4, gain=0.5):
    total = np.zeros((h, w), np.float32)
    amp, norm = 1.0, 0.0
    for _ in range(octaves):
        total += amp * smooth_noise(w, h, max(sx, 1.0), max(sy, 1.0), rng)
        norm += amp
        amp *= gain
        sx, sy = sx / 2, sy / 2
    return total / norm


def _kernel(radius):
    sigma = max(radius, 0.3) / 2.0
    n = int(math.ceil(sigma * 3))
    k = np.exp(-0.5 * (np.arange(-n, n + 1) / sigma) ** 2).astype(np.float32)
    return k / k.sum(), n


def blur(a, radius, radius_y=None):
    """Gaussian blur of an HxW or HxWxC array; radius is about two standard deviations."""
    out = np.asarray(a, np.float32)
    for axis, r in ((1, radius), (0, radius if radius_y is None else radius_y)):
        if r <= 0:
            continue
        k, n = _kernel(r)
        pad = [(0, 0)] * out.ndim
        pad[axis] = (n, n)
        p = np.pad(out, pad, mode='edge')
        acc = np.zeros_like(out)
        size = out.shape[axis]
        for i, wgt in enumerate(k):
            acc += wgt * np.take(p, np.arange(i, i + size), axis=axis)
        out = acc
    return out


def shift(a, dx, dy):
    """Moves an array by whole pixels, filling with zeros."""
    out = np.zeros_like(a)
    h, w = a.shape[:2]
    sx0, sx1 = max(0, -dx), min(w, w - dx)
    sy0, sy1 = max(0, -dy), min(h, h - dy)
    out[sy0 + dy:sy1 + dy, sx0 + dx:sx1 + dx] = a[sy0:sy1, sx0:sx1]
    return out


# ---- lighting ------------------------------------------------------------------------------------

def normals(height):
    gy, gx = np.gradient(height.astype(np.float32))
    n = np.stack([-gx, -gy, np.ones_like(gx)], axis=2)
    return n / np.linalg.norm(n, axis=2, keepdims=True)


def shade(base, height, ambient=0.55, diffuse=0.6, specular=0.35, shininess=24.0, spec_colour=None):
    """Lights a relief (height map in pixels) over a base colour: Lambert plus a Blinn highlight."""
    n = normals(height)
    ndl = np.clip(np.tensordot(n, LIGHT, axes=([2], [0])), 0.0, 1.0)
    half = LIGHT + np.array([0, 0, 1], np.float32)
    half /= np.linalg.norm(half)
    ndh = np.clip(np.tensordot(n, half, axes=([2], [0])), 0.0, 1.0)
    base = np.asarray(base, np.float32)
    if base.ndim == 1:
        base = np.broadcast_to(base, height.shape + (3,))
    lit = base * (ambient + diffuse * ndl)[..., None]
    highlight = (specular * ndh ** shininess)[..., None]
    sc = np.ones(3, np.float32) if spec_colour is None else np.asarray(spec_colour, np.float32)
    return np.clip(lit + highlight * sc, 0.0, 1.0)


def drop_shadow(canvas, dx=3, dy=5, radius=7.0, opacity=0.5, colour=(0.0, 0.0, 0.0)):
    """A soft shadow of everything on the canvas, laid beneath it (also into its holes)."""
    a = shift(blur(canvas.alpha, radius), dx, dy) * opacity
    canvas.paint_under(np.asarray(colour, np.float32), a)


# ---- mouldings -----------------------------------------------------------------------------------

class Moulding:
    """A mitred rectangular frame band from the outer box inwards by `width` pixels.

    t runs across the band from 0 at the outer edge to 1 at the inner edge; side is 0 left, 1 top,
    2 right, 3 bottom; along is the coordinate along the piece (for grain).
    """

    def __init__(self, canvas, x0, y0, x1, y1, width):
        X, Y = canvas.X, canvas.Y
        d = np.stack([X - x0, Y - y0, x1 - X, y1 - Y])
        self.side = np.argmin(d, axis=0)
        self.dist = np.min(d, axis=0)
        self.width = float(width)
        self.t = np.clip(self.dist / width, 0.0, 1.0)
        self.cover = np.clip(self.dist + 0.5, 0.0, 1.0) * np.clip(width - self.dist + 0.5, 0.0, 1.0)
        self.horizontal = (self.side == 1) | (self.side == 3)
        self.along = np.where(self.horizontal, X, Y)
        self.across = np.where(self.horizontal, Y, X)
        # How close a pixel is to a mitre seam (the diagonal where two pieces meet).
        ds = np.sort(d, axis=0)
        self.seam = np.clip(1.0 - (ds[1] - ds[0]) / 1.2, 0.0, 1.0) * (self.dist > 0.5)

    def height(self, profile, depth):
        return profile(self.t) * depth


def grain_texture(w, h, light, dark, rng, ring_scale=7.0, figure=3.0, streak=140.0):
    """Wood along x: rings distorted by long noise, fine pores and a few darker streaks."""
    warp = fbm(w, h, streak, 10.0, rng, octaves=3)
    fine = fbm(w, h, 40.0, 1.5, rng, octaves=3)
    ys = np.mgrid[0:h, 0:w][0].astype(np.float32)
    rings = (ys / ring_scale + warp * figure * ring_scale / 3.0) % 1.0
    band = smoothstep(0.0, 0.35, rings) * (1.0 - smoothstep(0.55, 1.0, rings))
    t = 0.55 * band + 0.45 * fine
    pores = smooth_noise(w, h, 9.0, 0.7, rng)
    t = np.clip(t - 0.25 * smoothstep(0.72, 0.95, pores), 0, 1)
    return mix(dark, light, t)


def brushed_texture(w, h, rng, length=40.0):
    """Fine noise drawn out along x: brushed metal."""
    n = rng.random((h, w)).astype(np.float32)
    n = blur(n, length, 0.6)
    n = (n - n.mean()) / (n.std() + 1e-6)
    coarse = smooth_noise(w, h, 160.0, 3.0, rng) - 0.5
    return n * 0.5 + coarse * 2.0


def oriented(texture_fn, moulding, w, h):
    """A texture made along x for the top and bottom pieces and along y for the sides."""
    horiz = texture_fn(w, h)
    vert = np.swapaxes(texture_fn(h, w), 0, 1)
    sel = moulding.horizontal
    if horiz.ndim == 3:
        sel = sel[..., None]
    return np.where(sel, horiz, vert)


def metal_shade(height, tint, texture, texture_amount=0.07, contrast=1.0, shadow_tint=None):
    """Polished or brushed metal: brightness from a studio-like reflection of the surface normal.
    With shadow_tint the dark reflections take that colour (warm browns for gold) instead of a dim tint."""
    n = normals(height)
    # Reflect the view ray (straight in) about the normal.
    r = 2 * n[..., 2:3] * n - np.array([0, 0, 1], np.float32)
    rx, ry = r[..., 0], r[..., 1]
    env = 0.62 + 0.3 * contrast * np.sin(3.2 * ry + 1.4 * rx - 0.3) - 0.12 * contrast * ry
    env = env + 0.35 * np.exp(-((ry + rx * 0.5 + 0.55) ** 2) / 0.02)  # a window-like highlight
    env = env * (1.0 + texture_amount * texture)
    tint = np.asarray(tint, np.float32)
    if shadow_tint is not None:
        return np.clip(mix(np.asarray(shadow_tint, np.float32), tint, np.clip(env, 0, 1.3)), 0.0, 1.0)
    return np.clip(env[..., None] * tint, 0.0, 1.0)
