"""The two pictures the editor ships besides the frames: the sample photo and the new-photo placeholder."""
import numpy as np
from PIL import Image

from raster import (Canvas, blur, cover, fbm, mix, polygon_mask, rgb, sd_box, sd_circle, smooth_noise,
                    smoothstep)


def ridge(w, rng, base, amplitude, roughness):
    """A mountain ridge line: heights (pixels from the top) for each column."""
    line = np.zeros(w, np.float32)
    amp, period = amplitude, w / 1.5
    while period > 3:
        pts = rng.random(int(w / period) + 3).astype(np.float32) - 0.5
        xs = np.arange(w) / period
        i = xs.astype(int)
        f = xs - i
        f = f * f * (3 - 2 * f)
        line += amp * (pts[i] * (1 - f) + pts[i + 1] * f)
        amp *= roughness
        period /= 2
    return base + line


def example_photo(w=800, h=600, seed=7):
    """An evening lake between mountains, with a few pines: a calm, photo-like sample."""
    rng = np.random.default_rng(seed)
    cv = Canvas(w, h)
    X, Y = cv.X, cv.Y
    horizon = h * 0.58
    sun = (w * 0.64, horizon - h * 0.19)

    # Sky: deep blue above, warm near the horizon, a glow around the sun.
    t = np.clip(Y / horizon, 0, 1)
    sky = mix(rgb('#34589a'), rgb('#93b4dc'), smoothstep(0.0, 0.7, t))
    sky = mix(sky, rgb('#ffc98c'), smoothstep(0.45, 1.0, t) * 0.9)
    glow = np.exp(-((X - sun[0]) ** 2 + (Y - sun[1]) ** 2 * 2.2) / (2 * (w * 0.16) ** 2))
    sky = mix(sky, rgb('#fff1c9'), glow * 0.85)
    # Clouds: soft bands lit warm from below.
    cl = fbm(w, h, 160, 45, rng, octaves=5)
    band = smoothstep(0.05, 0.45, t) * (1 - smoothstep(0.6, 0.9, t))
    density = smoothstep(0.52, 0.72, cl) * band
    shade_y = smoothstep(0.3, 0.8, fbm(w, h, 60, 20, rng, 3))
    cloud_col = mix(rgb('#f7d2b4'), rgb('#a58aa6'), shade_y * 0.6)
    sky = mix(sky, cloud_col, density * 0.8)
    disc = cover(sd_circle(X, Y, sun[0], sun[1], h * 0.04), 1.5)
    sky = mix(sky, rgb('#fffbe8'), disc)
    cv.paint(sky, np.ones((h, w), np.float32))

    # Mountains, far to near, each lighter and bluer with distance.
    layers = [
        (horizon - h * 0.12, h * 0.16, 0.55, '#8d86ad', '#b3a9c6'),
        (horizon - h * 0.06, h * 0.12, 0.5, '#5f6d96', '#7f88ad'),
        (horizon - h * 0.015, h * 0.06, 0.5, '#34505f', '#4d6a72'),
    ]
    for base, amp, rough, dark, light in layers:
        top = ridge(w, rng, base, amp, rough)
        inside = np.clip(Y - top[None, :] + 0.5, 0, 1) * (Y < horizon + 1)
        tex = fbm(w, h, 30, 12, rng, 3)
        lit = smoothstep(0.0, 1.0, (X - w * 0.2) / w)  # sun side a little brighter
        col = mix(rgb(dark), rgb(light), 0.35 * tex + 0.35 * lit)
        haze = smoothstep(horizon - h * 0.12, horizon, Y)
        col = mix(col, rgb('#d9c3b0'), haze * 0.35)
        cv.paint(col, inside)

    # Lake: the scene above mirrored, darkened, rippled, with a glitter path under the sun.
    above = cv.straight()[..., :3]
    rows = np.clip((2 * horizon - Y).astype(int), 0, h - 1)
    ripple = (fbm(w, h, 90, 3, rng, 3) - 0.5) * 14 * smoothstep(horizon, h, Y)
    cols = np.clip((X + ripple).astype(int), 0, w - 1)
    water = above[rows, cols]
    water = mix(water, rgb('#1d3a57'), 0.25 + 0.35 * smoothstep(horizon, h, Y))
    streaks = smooth_noise(w, h, 25, 1.6, rng)
    path = np.exp(-((X - sun[0]) ** 2) / (2 * (w * 0.045 + (Y - horizon) * 0.25) ** 2))
    glitter = smoothstep(0.6, 0.85, streaks) * path * (Y > horizon)
    water = mix(water, rgb('#fff0c8'), glitter * 0.9)
    lake = (Y >= horizon).astype(np.float32)
    cv.paint(water, lake)
    cv.paint(rgb('#e9d9c0'), np.exp(-((Y - horizon) ** 2) / 1.5) * 0.35)

    # Near shore at the bottom left with grass, and pines on it.
    shore_top = ridge(w, rng, h * 0.86, h * 0.06, 0.5) + np.clip((X[0] - w * 0.45) / w, 0, 1) * h * 0.5
    shore = np.clip(Y - shore_top[None, :] + 0.5, 0, 1)
    grass = mix(rgb('#1f3a1c'), rgb('#4e6b2c'), fbm(w, h, 6, 18, rng, 3) * (1 - smoothstep(h * 0.8, h, Y)))
    cv.paint(grass, shore)
    pines = []
    for i, (px, ph) in enumerate([(0.05, 0.42), (0.12, 0.33), (0.19, 0.38), (0.26, 0.24), (0.31, 0.19),
                                  (0.91, 0.27), (0.97, 0.36)]):
        x = w * px + rng.uniform(-6, 6)
        if px < 0.5:
            foot = shore_top[min(int(x), w - 1)] + 8
        else:
            foot = horizon + h * 0.05
        height = h * ph
        width = height * 0.32
        tiers = 7
        for k in range(tiers):
            ty = foot - height + height * k / tiers * 0.9
            tw = width * (0.25 + 0.75 * (k + 1) / tiers)
            pines.append([(x, ty - height * 0.06), (x - tw / 2, ty + height / tiers * 1.4),
                          (x + tw / 2, ty + height / tiers * 1.4)])
        pines.append([(x - 2, foot - height * 0.2), (x + 2, foot - height * 0.2), (x + 2, foot), (x - 2, foot)])
    cv.paint(rgb('#13241a'), polygon_mask(w, h, pines))

    # A touch of film grain and a soft vignette.
    img = cv.straight()[..., :3]
    img = img + (rng.random((h, w, 1)).astype(np.float32) - 0.5) * 0.025
    vign = 1 - 0.25 * smoothstep(0.55, 1.1, np.hypot((X - w / 2) / (w / 2), (Y - h / 2) / (h / 2)))
    img = np.clip(img * vign[..., None], 0, 1)
    return Image.fromarray(np.round(img * 255).astype(np.uint8), 'RGB')


def placeholder_photo(w=640, h=480):
    """The picture of a new photo set: a soft landscape symbol on light grey that fades to white."""
    cv = Canvas(w, h)
    X, Y = cv.X, cv.Y
    cx, cy = w / 2, h / 2
    r = np.hypot((X - cx) / (w * 0.5), (Y - cy) / (h * 0.5))
    bg = mix(rgb('#dfe5ee'), rgb('#ffffff'), smoothstep(0.35, 1.0, r))
    cv.paint(bg, np.ones((h, w), np.float32))

    # A rounded "picture" card with a shadow.
    bw, bh = w * 0.36, w * 0.27
    x0, y0, x1, y1 = cx - bw / 2, cy - bh / 2, cx + bw / 2, cy + bh / 2
    shadow = blur(cover(sd_box(X, Y, x0 + 3, y0 + 6, x1 + 3, y1 + 6, 16)), 14) * 0.28
    cv.paint(rgb('#3b4a63'), shadow)
    card = sd_box(X, Y, x0, y0, x1, y1, 16)
    cv.paint(rgb('#ffffff'), cover(card))
    inner = sd_box(X, Y, x0 + 12, y0 + 12, x1 - 12, y1 - 12, 8)
    sky = mix(rgb('#a9c8ec'), rgb('#d9e8f7'), smoothstep(y0, y1, Y))
    cv.paint(sky, cover(inner))
    clip = cover(inner)
    sun = cover(sd_circle(X, Y, x1 - bw * 0.27, y0 + bh * 0.32, bh * 0.11))
    cv.paint(rgb('#ffd35c'), sun * clip)
    far = polygon_mask(w, h, [[(x0, y1), (x0 + bw * 0.3, y0 + bh * 0.42), (x0 + bw * 0.55, y1)]])
    near = polygon_mask(w, h, [[(x0 + bw * 0.25, y1), (x0 + bw * 0.62, y0 + bh * 0.5),
                                 (x1 + bw * 0.05, y1)]])
    cv.paint(rgb('#7d9cc4'), far * clip)
    cv.paint(rgb('#5a7fae'), near * clip)
    border = np.clip(cover(inner + 0.0) - cover(inner + 1.2), 0, 1)
    cv.paint(rgb('#c7d3e3'), border)

    # A round "plus" badge at the lower right of the card.
    bx, by, br = x1 - 4, y1 - 4, bh * 0.17
    cv.paint(rgb('#2f3b4f'), blur(cover(sd_circle(X, Y, bx + 2, by + 4, br)), 8) * 0.3)
    cv.paint(rgb('#ff8a1f'), cover(sd_circle(X, Y, bx, by, br)))
    arm = br * 0.55
    plus = np.maximum(cover(sd_box(X, Y, bx - arm, by - 3.5, bx + arm, by + 3.5, 3)),
                      cover(sd_box(X, Y, bx - 3.5, by - arm, bx + 3.5, by + arm, 3)))
    cv.paint(rgb('#ffffff'), plus)
    img = cv.straight()[..., :3]
    return Image.fromarray(np.round(img * 255).astype(np.uint8), 'RGB')
