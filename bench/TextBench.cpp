// Speed of the text stand-in on a 200-character paragraph: what a text layer pays
// when its text changes (layout) and on every redraw (drawing a frame).
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>

#include "Platform/Graphics/GraphicsContext.h"
#include "Platform/Text/Framesetter.h"

namespace {

using platform::graphics::Color;
using platform::graphics::GraphicsContext;
using platform::graphics::Rect;
using platform::text::AttributedString;
using platform::text::Font;
using platform::text::Framesetter;
using platform::text::TextAttributes;

AttributedString paragraph() {
    std::string text =
        "Animations carry their own words: titles that slide in, captions that fade, counters that tick over. "
        "Each of them is laid out again whenever its text, font or colour changes during playback.";
    text.resize(200, '.');
    TextAttributes attributes;
    attributes.font = Font("DejaVu Sans", 18);
    attributes.foregroundColor = Color::rgb(0.1, 0.2, 0.3);
    attributes.kerning = 0.5;
    AttributedString string(text, attributes);
    string.setForegroundColor({20, 30}, Color::rgb(0.8, 0.1, 0.1));
    return string;
}

// Suggesting a size, then making a frame of that size, as a text layer does.
void BM_LayOutParagraph(benchmark::State& state) {
    const AttributedString text = paragraph();
    for (auto _ : state) {
        const Framesetter framesetter(text);
        const auto size = framesetter.suggestFrameSize({300, Framesetter::unconstrained});
        auto frame = framesetter.createFrame(Rect(0, 0, std::ceil(size.width), std::ceil(size.height)));
        benchmark::DoNotOptimize(frame);
    }
}
BENCHMARK(BM_LayOutParagraph);

// Drawing a laid-out frame, filled (range 0) or filled and stroked (range 1).
void BM_DrawParagraph(benchmark::State& state) {
    AttributedString text = paragraph();
    if (state.range(0) == 1) {
        text.setStrokeWidth(text.wholeRange(), -3);
        text.setStrokeColor(text.wholeRange(), Color::black());
    }
    const Framesetter framesetter(text);
    const auto size = framesetter.suggestFrameSize({300, Framesetter::unconstrained});
    const auto frame = framesetter.createFrame(Rect(0, 0, std::ceil(size.width), std::ceil(size.height)));
    auto context = GraphicsContext::makeBitmap(320, static_cast<int>(std::ceil(size.height)));
    for (auto _ : state) {
        frame.draw(*context);
    }
}
BENCHMARK(BM_DrawParagraph)->Arg(0)->Arg(1);

// Both together: the cost of a frame whose text changed.
void BM_LayOutAndDrawParagraph(benchmark::State& state) {
    const AttributedString text = paragraph();
    auto context = GraphicsContext::makeBitmap(320, 240);
    for (auto _ : state) {
        const Framesetter framesetter(text);
        const auto size = framesetter.suggestFrameSize({300, Framesetter::unconstrained});
        framesetter.createFrame(Rect(0, 0, std::ceil(size.width), std::ceil(size.height))).draw(*context);
    }
}
BENCHMARK(BM_LayOutAndDrawParagraph);

}  // namespace
