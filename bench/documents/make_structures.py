#!/usr/bin/env python3
"""Writes the structure documents of bench_peers that this script owns into
bench/documents/structures/: documents built the way the costliest real-world
exports are, so that their frame time is measured on every run.

  image-illustration.json       a large illustration made of embedded images
  precomposition-instances.json many instances of one small precomposition

The output is deterministic; run it again after changing it and commit the
documents it writes. Only the standard library is used (the PNG images are
encoded here)."""

import base64
import json
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "structures")


# --- PNG ---------------------------------------------------------------------

def png(width, height, rows):
    """An RGBA PNG of the given rows (each `width * 4` bytes), every row
    filtered against the one above, which keeps smooth pictures small."""
    raw = bytearray()
    previous = bytes(width * 4)
    for row in rows:
        raw.append(2)  # "Up" filter
        raw.extend((a - b) & 0xFF for a, b in zip(row, previous))
        previous = row

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) +
            chunk(b"IEND", b""))


def blob(width, height, top, bottom, round_corners):
    """Rows of a shape filling the image (an ellipse, or a rounded rectangle),
    its colour running from `top` to `bottom`, with a soft one-pixel edge and
    transparent corners."""
    radius = min(width, height) * 0.25
    rows = []
    for y in range(height):
        t = y / max(1, height - 1)
        colour = [round(top[i] + (bottom[i] - top[i]) * t) for i in range(3)]
        row = bytearray(width * 4)
        cy = (y + 0.5 - height / 2) / (height / 2)
        for x in range(width):
            if round_corners:
                dx = max(0.0, abs(x + 0.5 - width / 2) - (width / 2 - radius))
                dy = max(0.0, abs(y + 0.5 - height / 2) - (height / 2 - radius))
                inside = radius - math.hypot(dx, dy)
            else:
                cx = (x + 0.5 - width / 2) / (width / 2)
                inside = (1 - math.hypot(cx, cy)) * min(width, height) / 2
            alpha = max(0.0, min(1.0, inside + 0.5))
            if alpha > 0:
                a = round(alpha * 255)
                # Premultiplied-looking edges are not wanted: PNG is straight alpha.
                row[4 * x:4 * x + 4] = bytes((colour[0], colour[1], colour[2], a))
        rows.append(bytes(row))
    return png(width, height, rows)


def image_asset(identifier, width, height, top, bottom, round_corners):
    data = base64.b64encode(blob(width, height, top, bottom, round_corners)).decode("ascii")
    return {"id": identifier, "w": width, "h": height, "u": "", "p": "data:image/png;base64," + data, "e": 1}


# --- Lottie values -----------------------------------------------------------

def fixed(value):
    return {"a": 0, "k": value}


EASE = {"i": {"x": [0.5], "y": [0.5]}, "o": {"x": [0.5], "y": [0.5]}}


def moving(start, middle, end):
    """From `start` at frame 0 to `middle` halfway to `end` and back."""
    return {"a": 1, "k": [dict(t=0, s=start, **EASE), dict(t=end / 2, s=middle, **EASE), {"t": end, "s": start}]}


def turning(degrees, end):
    return {"a": 1, "k": [dict(t=0, s=[0], i={"x": [1], "y": [1]}, o={"x": [0], "y": [0]}),
                          {"t": end, "s": [degrees]}]}


def transform(position, anchor=(0, 0), scale=100, rotation=None, opacity=100):
    return {"o": fixed(opacity), "r": rotation or fixed(0), "p": position if isinstance(position, dict) else
            fixed(list(position) + [0]), "a": fixed(list(anchor) + [0]), "s": fixed([scale, scale, 100])}


def box_path(left, top, width, height):
    return {"c": True, "i": [[0, 0]] * 4, "o": [[0, 0]] * 4,
            "v": [[left, top], [left + width, top], [left + width, top + height], [left, top + height]]}


def ellipse_path(cx, cy, rx, ry):
    k = 0.5523
    return {"c": True,
            "v": [[cx, cy - ry], [cx + rx, cy], [cx, cy + ry], [cx - rx, cy]],
            "i": [[-rx * k, 0], [0, -ry * k], [rx * k, 0], [0, ry * k]],
            "o": [[rx * k, 0], [0, ry * k], [-rx * k, 0], [0, -ry * k]]}


def mask(mode, path, animated_to=None, end=0):
    shape = fixed(path) if animated_to is None else {
        "a": 1, "k": [dict(t=0, s=[path], **EASE), dict(t=end / 2, s=[animated_to], **EASE),
                      {"t": end, "s": [path]}]}
    return {"mode": mode, "inv": False, "o": fixed(100), "x": fixed(0), "pt": shape}


def document(name, width, height, rate, end, layers, assets):
    return {"v": "5.7.4", "fr": rate, "ip": 0, "op": end, "w": width, "h": height, "nm": name, "ddd": 0,
            "assets": assets, "layers": layers}


# --- A large illustration made of images -------------------------------------

def image_illustration():
    """1432 x 1016, 47 embedded image layers inside 24 precompositions, each
    precomposition as large as the illustration, as illustrations exported
    from a drawing program are: a few layers rotate, some drift, most stay
    put; 8 masks, some of them animated. Every image is drawn smaller than
    it is stored, since the illustration is shown far below its size."""
    width, height, end = 1432, 1016, 120
    palette = [((88, 160, 220), (200, 230, 250)), ((70, 140, 60), (150, 200, 90)), ((220, 120, 60), (250, 200, 120)),
               ((120, 80, 160), (220, 170, 230)), ((60, 60, 80), (140, 140, 170)), ((230, 200, 60), (250, 240, 170))]
    # (width, height) of each of the 47 images: two backdrops as large as the
    # illustration, then large, medium and small pieces.
    sizes = [(width, height // 2), (width, height // 2)] + [(600, 420)] * 5 + [(360, 300)] * 14 + [(200, 180)] * 26
    assets, precompositions = [], []
    image_index = 0
    masks_left = 8
    rotating = {5, 12, 20, 33}
    drifting = {3, 8, 15, 22, 27, 30, 38, 41, 44}
    for composition in range(24):
        count = 1 if composition == 23 else 2
        layers = []
        for slot in range(count):
            w, h = sizes[image_index]
            top, bottom = palette[image_index % len(palette)]
            image_id = "image_%d" % image_index
            assets.append(image_asset(image_id, w, h, top, bottom, round_corners=image_index % 3 == 0))
            x = 60 + (image_index * 797) % (width - 120)
            y = 80 + (image_index * image_index * 53 + image_index * 311) % (height - 160)
            if image_index < 2:
                x, y = width / 2, height / 4 + image_index * height / 2
            rotation = turning(360 if image_index % 2 else -360, end) if image_index in rotating else None
            position = moving([x, y, 0], [x + 40, y - 25, 0], end) if image_index in drifting else [x, y]
            layer = {"ddd": 0, "ind": slot + 1, "ty": 2, "nm": "piece %d" % image_index, "refId": image_id,
                     "ip": 0, "op": end, "st": 0, "sr": 1, "bm": 0,
                     "ks": transform(position, anchor=(w / 2, h / 2), rotation=rotation)}
            if masks_left and image_index % 6 == 4:
                animated = masks_left % 2 == 0
                masks_left -= 1
                layer["hasMask"] = True
                layer["masksProperties"] = [
                    mask("a", ellipse_path(w / 2, h / 2, w * 0.45, h * 0.45),
                         ellipse_path(w / 2, h / 2, w * 0.35, h * 0.48) if animated else None, end)]
            layers.append(layer)
            image_index += 1
        precompositions.append({"id": "group_%d" % composition, "nm": "group %d" % composition, "fr": 30,
                                "layers": layers})
    root = []
    for composition in range(24):
        root.append({"ddd": 0, "ind": composition + 1, "ty": 0, "nm": "group %d" % composition,
                     "refId": "group_%d" % composition, "w": width, "h": height, "ip": 0, "op": end, "st": 0,
                     "sr": 1, "bm": 0, "ks": transform([width / 2, height / 2], anchor=(width / 2, height / 2))})
    assert image_index == 47 and masks_left == 0
    # The first layer is drawn on top: the backdrops' group goes last.
    root.reverse()
    return document("Illustration of images", width, height, 30, end, root, assets + precompositions)


# --- Many instances of one small precomposition -------------------------------

def precomposition_instances():
    """800 x 600 at 60 fps: 24 precomposition layers showing one small drawing
    (a gradient stroke trimmed as it plays, two ellipses), each placed,
    turned, scaled and started at its own time."""
    end, period = 120, 60

    def cycling(keys):
        """The keyframes (frame, value) of one period, played over and over
        for as long as any instance shows the drawing."""
        frames = []
        for repeat in range(4):
            for frame, value in keys:
                frames.append(dict(t=frame + repeat * period, s=value, **EASE))
        frames[-1] = {"t": frames[-1]["t"], "s": frames[-1]["s"]}
        return {"a": 1, "k": frames}

    plain = {"ty": "tr", "p": fixed([0, 0]), "a": fixed([0, 0]), "s": fixed([100, 100]), "r": fixed(0),
             "o": fixed(100), "sk": fixed(0), "sa": fixed(0)}
    stroke = {"ty": "gs", "nm": "stroke", "o": fixed(100), "w": fixed(6), "lc": 2, "lj": 2, "ml": 4, "t": 1,
              "s": fixed([-60, 0]), "e": fixed([60, 0]),
              "g": {"p": 3, "k": fixed([0, 0.96, 0.42, 0.24, 0.5, 0.98, 0.78, 0.3, 1, 0.36, 0.6, 0.95])}}
    trim = {"ty": "tm", "nm": "trim", "m": 1, "o": fixed(0),
            "s": cycling([(0, [0]), (30, [0]), (59, [100])]),
            "e": cycling([(0, [0]), (30, [100]), (59, [100])])}
    arc = {"ty": "gr", "nm": "arc", "it": [
        {"ty": "el", "nm": "path", "d": 1, "p": fixed([0, 0]), "s": fixed([120, 120])}, stroke, trim, plain]}

    def dot(x, colour, grow):
        size = cycling([(0, [4, 4]), (grow, [24, 24]), (59, [4, 4])])
        return {"ty": "gr", "nm": "dot", "it": [
            {"ty": "el", "nm": "path", "d": 1, "p": fixed([x, 0]), "s": size},
            {"ty": "fl", "nm": "fill", "o": fixed(100), "c": fixed(colour + [1]), "r": 1}, plain]}

    drawing = {"ddd": 0, "ind": 1, "ty": 4, "nm": "drawing", "ip": 0, "op": 4 * period, "st": 0, "sr": 1, "bm": 0,
               "ks": transform([80, 80]), "shapes": [dot(-30, [0.2, 0.6, 0.9], 20), dot(30, [0.95, 0.5, 0.3], 30),
                                                     arc]}
    assets = [{"id": "drawing", "nm": "drawing", "fr": 60, "layers": [drawing]}]
    layers = []
    for index in range(24):
        column, row = index % 6, index // 6
        x, y = 80 + column * 128, 90 + row * 140
        layers.append({"ddd": 0, "ind": index + 1, "ty": 0, "nm": "instance %d" % index, "refId": "drawing",
                       "w": 160, "h": 160, "ip": 0, "op": end, "st": -((index * 5) % period), "sr": 1, "bm": 0,
                       "ks": transform([x, y], anchor=(80, 80), scale=70 + (index % 4) * 15,
                                       rotation=fixed(index * 15))})
    return document("Precomposition instances", 800, 600, 60, end, layers, assets)


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, build in (("image-illustration.json", image_illustration),
                        ("precomposition-instances.json", precomposition_instances)):
        with open(os.path.join(OUT, name), "w") as out:
            json.dump(build(), out, separators=(",", ":"))
            out.write("\n")


if __name__ == "__main__":
    main()
