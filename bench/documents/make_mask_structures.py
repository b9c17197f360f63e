#!/usr/bin/env python3
"""Writes the structure documents of bench_peers about masks and mattes into
bench/documents/structures/, each built the way a costly real-world export is:

  masked-logo.json            a logo of four masked precompositions (23 shape
                              layers, 44 groups, 12 trims, 10 gradient strokes,
                              8 masks, 15 animated opacities; 850 x 850)
  matte-over-two-items.json   an ellipse matting a layer of a star and a
                              rectangle, with a layer of stars and rectangles
                              beneath (300 x 300)
  solid-masks.json            four solid layers of two masks each (800 x 600)

The output is deterministic; run it again after changing it and commit the
documents it writes. Only the standard library is used."""

import json
import os

out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "structures")
os.makedirs(out, exist_ok=True)

def fixed(v): return {"a": 0, "k": v}
def ease(): return {"i": {"x": [0.42], "y": [1]}, "o": {"x": [0.58], "y": [0]}}
def anim(frames):  # [(t, value)]
    ks = []
    for i, (t, v) in enumerate(frames):
        k = {"t": t, "s": v if isinstance(v, list) else [v]}
        if i + 1 < len(frames): k.update(ease())
        ks.append(k)
    return {"a": 1, "k": ks}
def layer_ks(p, o=fixed(100), r=fixed(0), s=fixed([100, 100, 100]), a=fixed([0, 0, 0])):
    return {"o": o, "r": r, "p": p, "a": a, "s": s}
def tr(p=[0, 0], r=fixed(0), o=fixed(100), s=fixed([100, 100])):
    return {"ty": "tr", "p": fixed(p) if isinstance(p, list) else p, "a": fixed([0, 0]), "s": s, "r": r, "o": o,
            "sk": fixed(0), "sa": fixed(0)}
def ellipse(w, h, p=[0, 0]): return {"ty": "el", "d": 1, "p": fixed(p), "s": fixed([w, h])}
def rect(w, h, p=[0, 0], r=0): return {"ty": "rc", "d": 1, "p": fixed(p), "s": fixed([w, h]), "r": fixed(r)}
def star(outer, inner, points, p=[0, 0]):
    return {"ty": "sr", "sy": 1, "d": 1, "pt": fixed(points), "p": fixed(p), "r": fixed(0),
            "ir": fixed(inner), "is": fixed(0), "or": fixed(outer), "os": fixed(0)}
def fill(c, o=fixed(100)): return {"ty": "fl", "c": fixed(c + [1]), "o": o, "r": 1}
def stroke(c, w, o=fixed(100)):
    return {"ty": "st", "c": fixed(c + [1]), "o": o, "w": fixed(w), "lc": 2, "lj": 2, "ml": 4}
def gstroke(c1, c2, w, s, e):
    return {"ty": "gs", "o": fixed(100), "w": fixed(w), "lc": 2, "lj": 2, "ml": 4, "t": 1,
            "s": fixed(s), "e": fixed(e), "g": {"p": 3, "k": fixed([0] + c1 + [0.5] + [(a + b) / 2 for a, b in zip(c1, c2)] + [1] + c2)}}
def trim(start, end, offset=fixed(0)):
    return {"ty": "tm", "s": start, "e": end, "o": offset, "m": 1}
def group(items, transform=None):
    return {"ty": "gr", "it": items + [transform or tr()]}
def box_path(x, y, w, h):
    return {"c": True, "v": [[x, y], [x + w, y], [x + w, y + h], [x, y + h]],
            "i": [[0, 0]] * 4, "o": [[0, 0]] * 4}
def oval_path(cx, cy, rx, ry):
    k = 0.5523
    return {"c": True, "v": [[cx, cy - ry], [cx + rx, cy], [cx, cy + ry], [cx - rx, cy]],
            "i": [[-rx * k, 0], [0, -ry * k], [rx * k, 0], [0, ry * k]],
            "o": [[rx * k, 0], [0, ry * k], [-rx * k, 0], [0, -ry * k]]}
def mask(path, mode="a", inverted=False, name="Mask"):
    return {"mode": mode, "inv": inverted, "pt": path, "o": fixed(100), "x": fixed(0), "nm": name}
def shape_layer(ind, name, shapes, ks, end, extra=None):
    l = {"ddd": 0, "ind": ind, "ty": 4, "nm": name, "sr": 1, "ks": ks, "ao": 0, "shapes": shapes,
         "ip": 0, "op": end, "st": 0, "bm": 0}
    if extra: l.update(extra)
    return l
def doc(name, w, h, end, layers, assets=[]):
    return {"v": "5.7.4", "fr": 30, "ip": 0, "op": end, "w": w, "h": h, "nm": name, "ddd": 0,
            "assets": assets, "layers": layers, "markers": []}
def save(name, d):
    with open(os.path.join(out, name), "w") as f:
        json.dump(d, f, separators=(",", ":"))
        f.write("\n")

# 3. A logo of masked precompositions: four precompositions hold 23 shape layers
# (44 groups, 12 trims, 10 gradient strokes, 15 animated opacities); each is
# placed by a layer with two masks, at 850 x 850.
END = 120
palette = [[0.93, 0.27, 0.36], [0.99, 0.69, 0.18], [0.22, 0.67, 0.89], [0.45, 0.31, 0.86], [0.15, 0.78, 0.55]]
assets = []
layer_counts = [6, 6, 6, 5]
counts = {"groups": 0, "trims": 0, "gs": 0, "opacity": 0, "layers": 0}
n = 0
for a, count in enumerate(layer_counts):
    layers = []
    for i in range(count):
        c1 = palette[(n) % 5]; c2 = palette[(n + 2) % 5]
        radius = 60 + 22 * i
        groups = []
        # The first group: a ring, gradient stroked or stroked, trimmed on some layers.
        ring_items = [ellipse(2 * radius, 2 * radius)]
        if n < 12:
            ring_items.append(trim(anim([(0, 0), (60, 35), (120, 0)]), anim([(0, 40), (60, 100), (120, 40)]),
                                   anim([(0, 0), (120, 360)])))
            counts["trims"] += 1
        if n % 23 in (0, 2, 3, 5, 7, 9, 12, 14, 17, 20):
            ring_items.append(gstroke(c1, c2, 10 + (i % 3) * 4, [-radius, 0], [radius, 0]))
            counts["gs"] += 1
        else:
            ring_items.append(stroke(c1, 8))
        groups.append(group(ring_items, tr(r=anim([(0, 0), (120, 180 if i % 2 else -180)]))))
        counts["groups"] += 1
        # The second group: a small filled mark on the ring (on all but two layers).
        if n not in (4, 15):
            groups.append(group([rect(24, 24, r=6) if i % 2 else ellipse(26, 26), fill(c2)],
                                tr(p=[radius, 0])))
            counts["groups"] += 1
        opacity = anim([(0, 20), (30 + 5 * i, 100), (90, 60), (120, 20)]) if n < 15 else fixed(100)
        if n < 15: counts["opacity"] += 1
        layers.append(shape_layer(i + 1, "ring %d" % (n + 1), groups,
                                  layer_ks(fixed([300, 300, 0]), o=opacity), END))
        n += 1
        counts["layers"] += 1
    assets.append({"id": "comp_%d" % a, "nm": "part %d" % (a + 1), "layers": layers, "w": 600, "h": 600})
# 44 groups: two per layer, but for the two plain rings.
root = []
places = [[270, 270], [580, 270], [270, 580], [580, 580]]
for a, place in enumerate(places):
    masks = [mask({"a": 1, "k": [dict({"t": 0, "s": [box_path(40, 40, 520, 520)]}, **ease()),
                                 dict({"t": 60, "s": [box_path(110, 110, 380, 380)]}, **ease()),
                                 {"t": 120, "s": [box_path(40, 40, 520, 520)]}]}, "a", name="frame"),
             mask(fixed(oval_path(300, 300, 70, 70)), "s", name="hole")]
    root.append({"ddd": 0, "ind": a + 1, "ty": 0, "nm": "part %d" % (a + 1), "refId": "comp_%d" % a, "sr": 1,
                 "ks": layer_ks(fixed(place + [0]), a=fixed([300, 300, 0]), s=fixed([55, 55, 100]),
                                r=anim([(0, 0), (120, 90 if a % 2 else -90)])),
                 "ao": 0, "hasMask": True, "masksProperties": masks, "w": 600, "h": 600,
                 "ip": 0, "op": END, "st": 0, "bm": 0})
save("masked-logo.json", doc("masked logo", 850, 850, END, root, assets))
assert counts == {"groups": 44, "trims": 12, "gs": 10, "opacity": 15, "layers": 23}, counts

# 4. A matte over two items with a layer beneath, at 300 x 300: an ellipse
# mattes a layer of a star and a rectangle; a layer of stars and rectangles lies beneath.
END = 90
matte = shape_layer(1, "matte", [group([ellipse(170, 170), fill([1, 1, 1])])],
                    layer_ks(fixed([150, 150, 0]), s=anim([(0, [70, 70, 100]), (45, [120, 120, 100]), (90, [70, 70, 100])])),
                    END, {"td": 1})
matted = shape_layer(2, "two items", [
    group([star(70, 32, 5), fill([0.99, 0.75, 0.2])], tr(p=[-30, -20], r=anim([(0, 0), (90, 144)]))),
    group([rect(120, 60, r=8), fill([0.26, 0.55, 0.95])], tr(p=[30, 40], r=anim([(0, 0), (90, -90)]))),
], layer_ks(anim([(0, [130, 150, 0]), (45, [170, 150, 0]), (90, [130, 150, 0])])), END, {"tt": 1})
beneath = shape_layer(3, "beneath", [
    group([star(26, 12, 5), fill([0.95, 0.35, 0.45])], tr(p=[60, 60], r=anim([(0, 0), (90, 72)]))),
    group([star(22, 10, 6), fill([0.55, 0.35, 0.85])], tr(p=[240, 60], r=anim([(0, 0), (90, -60)]))),
    group([rect(260, 40, r=4), fill([0.2, 0.2, 0.25])], tr(p=[150, 265])),
    group([rect(50, 50), fill([0.3, 0.8, 0.6])], tr(p=[60, 230], r=anim([(0, 0), (90, 90)]))),
], layer_ks(fixed([0, 0, 0])), END)
save("matte-over-two-items.json", doc("matte over two items", 300, 300, END, [matte, matted, beneath]))

# 5. Solid layers with several masks each, at 800 x 600: four solids of two
# masks each, one mask moving, the other cutting a hole.
END = 90
solids = []
colours = ["#e84a5f", "#2a9df4", "#f9c74f", "#43aa8b"]
for i, colour in enumerate(colours):
    x, y = (i % 2) * 400, (i // 2) * 300
    masks = [mask({"a": 1, "k": [dict({"t": 0, "s": [oval_path(200, 150, 180, 130)]}, **ease()),
                                 dict({"t": 45, "s": [oval_path(200 + (30 if i % 2 else -30), 150, 120, 90)]}, **ease()),
                                 {"t": 90, "s": [oval_path(200, 150, 180, 130)]}]}, "a", name="shape"),
             mask(fixed(box_path(170, 120, 60, 60)), "s" if i % 2 == 0 else "i", inverted=(i % 2 == 1), name="cut")]
    solids.append({"ddd": 0, "ind": i + 1, "ty": 1, "nm": "solid %d" % (i + 1), "sr": 1,
                   "ks": layer_ks(fixed([x + 200, y + 150, 0]), a=fixed([200, 150, 0]),
                                  o=anim([(0, 100), (45, 70 + 10 * i), (90, 100)]),
                                  r=anim([(0, 0), (90, 8 if i % 2 else -8)])),
                   "ao": 0, "hasMask": True, "masksProperties": masks, "sc": colour, "sw": 400, "sh": 300,
                   "ip": 0, "op": END, "st": 0, "bm": 0})
save("solid-masks.json", doc("solid masks", 800, 600, END, solids))
