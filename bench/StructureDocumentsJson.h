#pragma once
// Documents for the engine benchmarks built the way real exports are: many
// layers at partial or animated opacity, groups with opacity, masked layers
// without shapes of their own, track mattes over translucent fills, deep
// precompositions, and three exports of cards and badges that mix translucent
// gradients, groups with opacity, masks and mattes. Every layer moves, so that
// every frame differs. Each is a function that writes the document; the
// benchmarks own what they decode from it.

#include <string>
#include <utility>
#include <vector>

namespace pellorbench {

namespace structure {

inline std::string number(double value) { return std::to_string(value); }
inline std::string pair(double x, double y) { return "[" + number(x) + "," + number(y) + "]"; }
inline std::string fixed(const std::string& value) { return R"({"a":0,"k":)" + value + "}"; }
// A value eased from `from` at frame 0 to `to` at `end` and back to `from` at
// twice `end`.
inline std::string moving(const std::string& from, const std::string& to, double end) {
    const std::string ease = R"(,"i":{"x":[0.5],"y":[0.5]},"o":{"x":[0.5],"y":[0.5]})";
    return R"({"a":1,"k":[{"t":0,"s":)" + from + ease + R"(},{"t":)" + number(end) + R"(,"s":)" + to + ease +
           R"(},{"t":)" + number(2 * end) + R"(,"s":)" + from + "}]}";
}
inline std::string rectangle(double width, double height, double roundness = 0) {
    return R"({"ty":"rc","d":1,"p":{"a":0,"k":[0,0]},"s":)" + fixed(pair(width, height)) + R"(,"r":)" +
           fixed(number(roundness)) + "}";
}
inline std::string ellipse(double width, double height) {
    return R"({"ty":"el","d":1,"p":{"a":0,"k":[0,0]},"s":)" + fixed(pair(width, height)) + "}";
}
inline std::string fill(double red, double green, double blue, const std::string& opacity) {
    return R"({"ty":"fl","r":1,"c":)" + fixed("[" + number(red) + "," + number(green) + "," + number(blue) + ",1]") +
           R"(,"o":)" + opacity + "}";
}
// A linear gradient fill across `width`, from a colour to itself transparent
// (a soft reflection), or a radial glow of that reach.
inline std::string gradient(bool radial, double width, double red, double green, double blue) {
    const std::string colours = "[0," + number(red) + "," + number(green) + "," + number(blue) + ",1," +
                                number(red * 0.5) + "," + number(green * 0.5) + "," + number(blue) + ",0,0.8,1,0.2]";
    return R"({"ty":"gf","r":1,"o":{"a":0,"k":100},"t":)" + std::string(radial ? "2" : "1") + R"(,"s":)" +
           fixed(pair(radial ? 0 : -width / 2, 0)) + R"(,"e":)" + fixed(pair(width / 2, 0)) +
           R"(,"g":{"p":2,"k":{"a":0,"k":)" + colours + "}}}";
}
inline std::string transform(const std::string& position, const std::string& opacity) {
    return R"({"ty":"tr","p":)" + position + R"(,"a":{"a":0,"k":[0,0]},"s":{"a":0,"k":[100,100]},"r":{"a":0,"k":0},"o":)" +
           opacity + "}";
}
inline std::string group(const std::string& items, const std::string& position, const std::string& opacity) {
    return R"({"ty":"gr","it":[)" + items + "," + transform(position, opacity) + "]}";
}
// The layer's transform: a position, an opacity, the rest plain.
inline std::string layerTransform(const std::string& position, const std::string& opacity) {
    return R"("ks":{"p":)" + position + R"(,"a":{"a":0,"k":[0,0,0]},"s":{"a":0,"k":[100,100,100]},"r":{"a":0,"k":0},"o":)" +
           opacity + "}";
}
inline std::string layerHead(int type, int index, double end, const std::string& name) {
    return R"({"ty":)" + std::to_string(type) + R"(,"ind":)" + std::to_string(index) + R"(,"nm":")" + name +
           R"(","ip":0,"op":)" + number(end) + R"(,"st":0,)";
}
inline std::string shapeLayer(int index, double end, const std::string& position, const std::string& opacity,
                              const std::string& shapes, const std::string& extra = "") {
    return layerHead(4, index, end, "shape " + std::to_string(index)) + layerTransform(position, opacity) + extra +
           R"(,"shapes":[)" + shapes + "]}";
}
// An animated rectangle mask of the given mode ("a" adds, "s" subtracts).
inline std::string mask(const std::string& mode, double x, double y, double width, double height, double end) {
    const auto box = [](double left, double top, double w, double h) {
        return R"({"c":true,"i":[[0,0],[0,0],[0,0],[0,0]],"o":[[0,0],[0,0],[0,0],[0,0]],"v":[)" + pair(left, top) + "," +
               pair(left + w, top) + "," + pair(left + w, top + h) + "," + pair(left, top + h) + "]}";
    };
    const std::string ease = R"(,"i":{"x":[0.5],"y":[0.5]},"o":{"x":[0.5],"y":[0.5]})";
    return R"({"mode":")" + mode + R"(","inv":false,"o":{"a":0,"k":100},"pt":{"a":1,"k":[{"t":0,"s":[)" +
           box(x, y, width, height) + "]" + ease + R"(},{"t":)" + number(end) + R"(,"s":[)" +
           box(x + width * 0.2, y + height * 0.1, width * 0.7, height * 0.8) + "]}]}}";
}
inline std::string document(const std::string& name, double width, double height, double end,
                            const std::string& layers, const std::string& assets = "") {
    return R"({"v":"5.7.0","fr":30,"ip":0,"op":)" + number(end) + R"(,"w":)" + number(width) + R"(,"h":)" +
           number(height) + R"(,"nm":")" + name + R"(","assets":[)" + assets + R"(],"layers":[)" + layers + "]}";
}
inline std::string joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : ",") + part;
    return text;
}
inline std::string fading(double from, double to, double end) { return moving(number(from), number(to), end); }

}  // namespace structure

// 15 shape layers on a tall canvas, 14 of them fading, each with a group at
// partial opacity holding a card and a badge over it.
inline std::string layersWithGroupOpacityJson() {
    using namespace structure;
    std::vector<std::string> layers;
    for (int index = 0; index < 15; ++index) {
        const double y = 170 * index + 90;
        const std::string card = group(rectangle(1200, 150, 24) + "," + fill(0.2, 0.3 + 0.03 * index, 0.8, fixed("100")) +
                                           "," + group(ellipse(90, 90) + "," + fill(0.95, 0.7, 0.2, fixed("100")),
                                                       fixed(pair(-500, 0)), fixed("80")),
                                       fixed(pair(0, 0)), fixed(number(60 + 2 * index)));
        const std::string opacity = index == 0 ? fixed("100") : fading(100, 20 + 4 * index, 30);
        layers.push_back(shapeLayer(index + 1, 60, moving(pair(720, y), pair(740, y + 20), 30), opacity, card));
    }
    return document("Layers with group opacity", 1440, 2560, 60, joined(layers));
}

// Four solid layers, each under a mask, one mask subtracting.
inline std::string maskedLayersWithoutShapesJson() {
    using namespace structure;
    std::vector<std::string> layers;
    for (int index = 0; index < 4; ++index) {
        const std::string colour = index % 2 ? "#3366cc" : "#e08030";
        const std::string masks = R"(,"hasMask":true,"masksProperties":[)" +
                                  mask(index == 3 ? "s" : "a", 40 + 60 * index, 60 + 40 * index, 420, 300, 30) + "]";
        layers.push_back(layerHead(1, index + 1, 60, "solid " + std::to_string(index)) +
                         layerTransform(moving(pair(0, 0), pair(30, 20), 30), fixed(number(100 - 10 * index))) +
                         R"(,"sc":")" + colour + R"(","sw":800,"sh":600)" + masks + "}");
    }
    return document("Masked layers without shapes", 800, 600, 60, joined(layers));
}

// Two track mattes, each over a translucent fill.
inline std::string mattesOverTranslucentFillJson() {
    using namespace structure;
    std::vector<std::string> layers;
    int index = 1;
    for (int pairIndex = 0; pairIndex < 2; ++pairIndex) {
        const double x = 100 + 100 * pairIndex;
        layers.push_back(shapeLayer(index, 60, moving(pair(x, 150), pair(x + 20, 130), 30), fixed("100"),
                                    group(ellipse(140, 140) + "," + fill(1, 1, 1, fixed("100")), fixed(pair(0, 0)),
                                          fixed("100")),
                                    R"(,"td":1)"));
        ++index;
        layers.push_back(shapeLayer(index, 60, fixed(pair(150, 150)), fixed("100"),
                                    group(rectangle(300, 300) + "," + fill(0.2, 0.6, 0.9, fixed("55")), fixed(pair(0, 0)),
                                          fixed("100")),
                                    R"(,"tt":1)"));
        ++index;
    }
    return document("Mattes over a translucent fill", 300, 300, 60, joined(layers));
}

// Many layers in three precompositions: most at partial or animated opacity,
// six of them track mattes.
inline std::string manyTranslucentLayersJson() {
    using namespace structure;
    std::vector<std::string> assets;
    std::vector<std::string> rootLayers;
    int total = 0;
    for (int precomposition = 0; precomposition < 3; ++precomposition) {
        std::vector<std::string> layers;
        for (int index = 0; index < 86; ++index, ++total) {
            const double x = 40 + (index * 37) % 440, y = 40 + (index * 53) % 440;
            const bool translucent = index % 5 != 0;
            const std::string opacity =
                !translucent ? fixed("100") : index % 2 ? fading(90, 30, 20 + index % 10) : fixed(number(40 + index % 50));
            const bool matte = index % 43 == 1;
            const std::string shapes = group(ellipse(60 + index % 30, 40 + index % 20) + "," +
                                                 fill(0.1 + 0.01 * index, 0.5, 0.9 - 0.01 * index, fixed("100")),
                                             fixed(pair(0, 0)), fixed("100"));
            layers.push_back(shapeLayer(index + 1, 60, moving(pair(x, y), pair(x + 30, y - 20), 30), opacity, shapes,
                                        matte ? R"(,"tt":1)" : index % 43 == 0 ? R"(,"td":1)" : ""));
        }
        const std::string id = "comp " + std::to_string(precomposition);
        assets.push_back(R"({"id":")" + id + R"(","layers":[)" + joined(layers) + "]}");
        rootLayers.push_back(layerHead(0, precomposition + 1, 60, id) +
                             layerTransform(fixed(pair(0, 0)), fixed(number(100 - 20 * precomposition))) +
                             R"(,"refId":")" + id + R"(","w":512,"h":512})");
    }
    (void)total;
    return document("Many translucent layers", 512, 512, 60, joined(rootLayers), joined(assets));
}

// Precompositions three deep, layers at partial opacity, some masked.
inline std::string nestedMaskedPrecompositionsJson() {
    using namespace structure;
    std::vector<std::string> assets;
    // Each precomposition holds two shape layers (one masked, one translucent)
    // and, but for the innermost, the next precomposition.
    for (int level = 0; level < 9; ++level) {
        const std::string id = "level " + std::to_string(level);
        std::vector<std::string> layers;
        const std::string masks = R"(,"hasMask":true,"masksProperties":[)" + mask("a", 60, 60, 380, 380, 30) + "]";
        layers.push_back(shapeLayer(1, 60, moving(pair(256, 256), pair(270, 240), 30), fading(100, 60, 30),
                                    group(rectangle(400, 300, 30) + "," + fill(0.3, 0.1 * level, 0.7, fixed("100")),
                                          fixed(pair(0, 0)), fixed("100")),
                                    level % 9 < 8 ? masks : ""));
        layers.push_back(shapeLayer(2, 60, moving(pair(200, 300), pair(320, 220), 30), fixed("70"),
                                    group(ellipse(200, 160) + "," + fill(0.9, 0.4, 0.1 * level, fixed("100")),
                                          fixed(pair(0, 0)), fixed("100"))));
        if (level % 3 != 2) {
            layers.push_back(layerHead(0, 3, 60, "inner") + layerTransform(fixed(pair(0, 0)), fixed("90")) +
                             R"(,"refId":"level )" + std::to_string(level + 1) + R"(","w":512,"h":512})");
        }
        assets.push_back(R"({"id":")" + id + R"(","layers":[)" + joined(layers) + "]}");
    }
    std::vector<std::string> root;
    for (int branch = 0; branch < 3; ++branch) {
        root.push_back(layerHead(0, branch + 1, 60, "branch") + layerTransform(fixed(pair(0, 0)), fixed("100")) +
                       R"(,"refId":"level )" + std::to_string(3 * branch) + R"(","w":512,"h":512})");
    }
    return document("Nested masked precompositions", 512, 512, 60, joined(root), joined(assets));
}

// A card as app exports draw one: a translucent gradient backdrop, a glow, a
// group of rows at partial opacity, a masked badge and, when `matted`, a shine
// matted to the card; `cards` of them over a gradient background.
inline std::string exportedCardsJson(const std::string& name, int cards, bool matted) {
    using namespace structure;
    std::vector<std::string> layers;
    int index = 1;
    for (int card = 0; card < cards; ++card) {
        const double y = 90 + 170 * card;
        if (matted) {
            layers.push_back(shapeLayer(index++, 60, fixed(pair(256, y)), fixed("100"),
                                        group(rectangle(440, 140, 20) + "," + fill(1, 1, 1, fixed("100")), fixed(pair(0, 0)),
                                              fixed("100")),
                                        R"(,"td":1)"));
            layers.push_back(shapeLayer(index++, 60, moving(pair(0, y), pair(512, y), 30), fixed("60"),
                                        group(rectangle(120, 200) + "," + gradient(false, 120, 1, 1, 1), fixed(pair(0, 0)),
                                              fixed("100")),
                                        R"(,"tt":1)"));
        }
        const std::string masks = R"(,"hasMask":true,"masksProperties":[)" + mask("a", -40, -40, 80, 80, 30) + "]";
        layers.push_back(shapeLayer(index++, 60, moving(pair(80, y), pair(90, y - 6), 30), fading(100, 70, 30),
                                    group(ellipse(70, 70) + "," + gradient(true, 70, 0.95, 0.6, 0.2), fixed(pair(0, 0)),
                                          fixed("100")),
                                    masks));
        const std::string rows =
            group(rectangle(260, 18, 9) + "," + fill(1, 1, 1, fixed("100")), fixed(pair(40, -20)), fixed("90")) + "," +
            group(rectangle(180, 14, 7) + "," + fill(1, 1, 1, fixed("100")), fixed(pair(0, 16)), fixed("60"));
        layers.push_back(shapeLayer(index++, 60, moving(pair(290, y), pair(296, y), 30), fixed("100"),
                                    group(rows, fixed(pair(0, 0)), fading(100, 50, 30))));
        layers.push_back(shapeLayer(index++, 60, moving(pair(256, y), pair(256, y + 4), 30), fading(90, 100, 30),
                                    group(rectangle(460, 150, 22) + "," + gradient(false, 460, 0.3, 0.45, 0.95),
                                          fixed(pair(0, 0)), fixed("100"))));
    }
    layers.push_back(shapeLayer(index, 60, fixed(pair(256, 256)), fixed("100"),
                                group(rectangle(512, 512) + "," + gradient(false, 512, 0.1, 0.12, 0.2), fixed(pair(0, 0)),
                                      fixed("100"))));
    return document(name, 512, 512, 60, joined(layers));
}

// Every document above with the name of its benchmark rows.
inline std::vector<std::pair<std::string, std::string>> structureDocumentsJson() {
    return {
        {"structure/layers-with-group-opacity", layersWithGroupOpacityJson()},
        {"structure/masked-layers-without-shapes", maskedLayersWithoutShapesJson()},
        {"structure/mattes-over-a-translucent-fill", mattesOverTranslucentFillJson()},
        {"structure/many-translucent-layers", manyTranslucentLayersJson()},
        {"structure/nested-masked-precompositions", nestedMaskedPrecompositionsJson()},
        {"export/task-cards", exportedCardsJson("Task cards", 3, true)},
        {"export/completed-cards", exportedCardsJson("Completed cards", 2, true)},
        {"export/welcome-badges", exportedCardsJson("Welcome badges", 2, false)},
    };
}

}  // namespace pellorbench
