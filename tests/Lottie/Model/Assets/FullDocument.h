#pragma once
// A hand-written document that uses every key of the assets, effects, layer
// styles, fonts, glyphs, text documents and text animators, with the layers
// that refer to them.

namespace modeltest {

inline constexpr const char* fullDocument = R"({
  "v": "5.9.0", "ddd": 0, "ip": 0, "op": 60, "fr": 30, "w": 512, "h": 256,
  "chars": [
    {"ch": "A", "size": 12, "fFamily": "Roboto", "style": "Bold", "w": 58.5,
     "data": {"shapes": [{"ty": "sh", "nm": "outline", "ks": {"k": {"c": true, "v": [[0,0],[10,0],[5,10]],
                                                                  "i": [[0,0],[0,0],[0,0]], "o": [[0,0],[0,0],[0,0]]}}}]}},
    {"ch": "B", "size": 12, "fFamily": "Roboto", "style": "Bold", "w": 60}
  ],
  "fonts": {"list": [{"fName": "Roboto-Bold", "fFamily": "Roboto", "fStyle": "Bold", "ascent": 75.5}]},
  "assets": [
    {"id": "image_0", "p": "img_0.png", "u": "images/", "w": 64, "h": 32},
    {"id": "image_1", "p": "data:image/png;base64,iVBORw0KGgo=", "u": "", "w": 1, "h": 1, "e": 1},
    {"id": 7, "nm": "comp", "layers": [
      {"ty": 5, "nm": "Caption", "ind": 1, "ip": 0, "op": 60, "st": 0,
       "t": {"d": {"k": [{"t": 0, "s": {"t": "Hello", "s": 24, "f": "Roboto-Bold", "j": 6, "tr": -20, "lh": 28.8,
                                        "ls": 2, "fc": [1, 0.5, 0], "sc": [0, 0, 1], "sw": 1.5, "of": true,
                                        "ps": [10, 20], "sz": [200, 50]}},
                         {"t": 30, "s": {"t": "World", "s": 24, "f": "Roboto-Bold", "j": 0, "tr": 0, "lh": 28.8}}]},
             "a": [{"nm": "Wave",
                    "a": {"fc": {"k": [1, 0, 0]}, "sc": {"k": [0, 1, 0]}, "sw": {"k": 2}, "t": {"k": 10},
                          "a": {"k": [1, 2, 0]}, "p": {"k": [0, -20, 0]}, "s": {"k": [120, 120, 100]},
                          "sk": {"k": 5}, "sa": {"k": 45}, "rx": {"k": 10}, "ry": {"k": 20}, "r": {"k": 30},
                          "o": {"k": 50}},
                    "s": {"s": {"k": 0}, "e": {"k": 100}, "o": {"k": 0}, "r": 2}}]}}
    ]}
  ],
  "layers": [
    {"ty": 0, "nm": "Precomp", "ind": 1, "ip": 0, "op": 60, "st": 0, "refId": "7", "w": 512, "h": 256,
     "sy": [{"ty": 1, "nm": "Shadow", "o": {"k": 75}, "c": {"k": [0, 0, 0, 1]}, "a": {"k": 120}, "s": {"k": 10},
             "d": {"k": 4}},
            {"ty": 2, "nm": "Stroke"}],
     "ef": [{"ty": 25, "nm": "Drop Shadow", "ef": [
               {"ty": 2, "nm": "Shadow Color", "v": {"k": [0, 0, 0, 1]}},
               {"ty": 0, "nm": "Opacity", "v": {"k": 128}},
               {"ty": 1, "nm": "Direction", "v": {"k": [{"t": 0, "s": [135], "o": {"x": [0.3], "y": [0]}, "i": {"x": [0.7], "y": [1]}},
                                                         {"t": 60, "s": [225]}]}},
               {"ty": 0, "nm": "Distance", "v": {"k": 5}},
               {"ty": 0, "nm": "Softness", "v": {"k": 10}}]},
            {"ty": 5, "nm": "Fill", "ef": [{"ty": 2, "nm": "Color", "v": {"k": [1, 0, 0]}}, {"ty": 9999, "nm": "Other"}]}]},
    {"ty": 2, "nm": "Picture", "ind": 2, "ip": 0, "op": 60, "st": 0, "refId": "image_0"},
    {"ty": 2, "nm": "Embedded", "ind": 3, "ip": 0, "op": 60, "st": 0, "refId": "image_1"}
  ],
  "markers": [{"cm": "intro", "tm": 0, "dr": 10}]
})";

}  // namespace modeltest
