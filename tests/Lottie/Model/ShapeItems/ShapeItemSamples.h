#pragma once
// One small valid JSON item of every kind, in two forms: with only the keys
// each kind requires, and with every optional key given a value other than
// its default.

#include <string>
#include <vector>

namespace shapetests {

struct Sample {
    std::string name;
    std::string json;
};

inline const std::string sampleBezierPath =
    R"({"c":true,"v":[[0,0],[10,0],[10,10]],"i":[[0,0],[0,0],[-2,0]],"o":[[0,0],[2,0],[0,0]]})";

inline const std::string sampleGradientStops = R"({"p":2,"k":{"k":[0,1,0,0,1,0,0,1]}})";

inline const std::vector<Sample>& minimalSamples() {
    static const std::vector<Sample> samples{
        {"ellipse", R"({"ty":"el","p":{"k":[10,20]},"s":{"k":[30,40]}})"},
        {"rectangle", R"({"ty":"rc","p":{"k":[0,0]},"s":{"k":[10,10]},"r":{"k":2}})"},
        {"star",
         R"({"ty":"sr","p":{"k":[0,0]},"or":{"k":50},"os":{"k":0},"ir":{"k":20},"is":{"k":0},"r":{"k":0},"pt":{"k":5},"sy":1})"},
        {"shape", R"({"ty":"sh","ks":{"k":)" + sampleBezierPath + "}}"},
        {"fill", R"({"ty":"fl","o":{"k":100},"c":{"k":[1,0,0,1]}})"},
        {"stroke", R"({"ty":"st","o":{"k":100},"c":{"k":[0,0,1]},"w":{"k":3}})"},
        {"gradientFill",
         R"({"ty":"gf","o":{"k":100},"s":{"k":[0,0]},"e":{"k":[100,0]},"t":1,"g":)" + sampleGradientStops + "}"},
        {"gradientStroke",
         R"({"ty":"gs","o":{"k":100},"s":{"k":[0,0]},"e":{"k":[100,0]},"t":1,"w":{"k":2},"g":)" +
             sampleGradientStops + "}"},
        {"group", R"({"ty":"gr","it":[]})"},
        {"merge", R"({"ty":"mm","mm":1})"},
        {"roundedCorners", R"({"ty":"rd","r":{"k":5}})"},
        {"trim", R"({"ty":"tm","s":{"k":0},"e":{"k":100},"o":{"k":0}})"},
        {"repeater", R"({"ty":"rp","tr":{}})"},
        {"transform", R"({"ty":"tr"})"},
        {"unknown", R"({"ty":"unknown"})"},
    };
    return samples;
}

inline const std::vector<Sample>& richSamples() {
    static const std::vector<Sample> samples{
        {"ellipse", R"({"ty":"el","nm":"oval","hd":true,"d":3,"p":{"k":[10,20,1]},"s":{"k":[30,40]}})"},
        {"rectangle", R"({"ty":"rc","nm":"box","d":2,"p":{"k":[5,6]},"s":{"k":[10,12]},"r":{"k":[4]}})"},
        {"polygon",
         R"({"ty":"sr","nm":"hex","d":3,"p":{"k":[1,2]},"or":{"k":50},"os":{"k":10},"r":{"k":30},"pt":{"k":6},"sy":2})"},
        {"shape", R"({"ty":"sh","nm":"path","d":3,"ks":{"k":)" + sampleBezierPath + "}}"},
        {"fill", R"({"ty":"fl","nm":"paint","hd":true,"o":{"k":50},"c":{"k":[0.5,0.25,1,1]},"r":2})"},
        {"stroke",
         R"({"ty":"st","o":{"k":80},"c":{"k":[0,0,1]},"w":{"k":3},"lc":1,"lj":3,"ml":10,)"
         R"("d":[{"n":"d","v":{"k":4}},{"n":"g","v":{"k":2}},{"n":"o","v":{"k":1}}]})"},
        {"gradientFill",
         R"({"ty":"gf","o":{"k":100},"s":{"k":[0,0]},"e":{"k":[100,0]},"t":2,"h":{"k":30},"a":{"k":45},"r":2,"g":)" +
             sampleGradientStops + "}"},
        {"gradientStroke",
         R"({"ty":"gs","o":{"k":100},"s":{"k":[0,0]},"e":{"k":[100,0]},"t":2,"h":{"k":30},"a":{"k":45},"w":{"k":2},)"
         R"("lc":3,"lj":1,"ml":2,"g":)" +
             sampleGradientStops + R"(,"d":[{"n":"d","v":{"k":1}}]})"},
        {"group",
         R"({"ty":"gr","nm":"outer","it":[{"ty":"gr","nm":"inner","it":[{"ty":"el","p":{"k":[0,0]},"s":{"k":[5,5]}}]},)"
         R"({"ty":"fl","o":{"k":100},"c":{"k":[1,1,1]}},{"ty":"tr","o":{"k":40}}]})"},
        {"merge", R"({"ty":"mm","mm":5})"},
        {"roundedCorners", R"({"ty":"rd","nm":"round","r":{"k":5}})"},
        {"trim", R"({"ty":"tm","s":{"k":10},"e":{"k":90},"o":{"k":45},"m":1})"},
        {"repeater",
         R"({"ty":"rp","c":{"k":3},"o":{"k":1},"tr":{"so":{"k":100},"eo":{"k":20},"r":{"k":30},"rx":{"k":1},)"
         R"("ry":{"k":2},"p":{"k":[10,0]},"a":{"k":[1,1]},"s":{"k":[90,90]}}})"},
        {"transform",
         R"({"ty":"tr","a":{"k":[1,2]},"p":{"k":[3,4]},"s":{"k":[50,60]},"rx":{"k":1},"ry":{"k":2},"r":{"k":3},)"
         R"("o":{"k":70},"sk":{"k":10},"sa":{"k":20}})"},
        {"unknown", R"({"ty":"unknown","nm":"mystery","hd":true})"},
    };
    return samples;
}

}  // namespace shapetests
