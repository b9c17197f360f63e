#pragma once
// A confetti document of our own for the benchmarks: pieces that fall, turn
// and flip over and over, each flip a horizontal scale that passes through
// zero to a negative value, which the Core Animation engine animates as one
// matrix sampled each tenth of a frame; and its unflipped twin, whose scales
// stay positive (the components animate on their own). Written by the
// benchmark that measures it; keeps nothing.

#include <string>

namespace benchdocuments {

// `pieces` layers over `seconds` at `framerate`; `flipped` picks the document
// whose scales turn negative.
std::string flippingConfetti(int pieces, double seconds, double framerate, bool flipped);

}  // namespace benchdocuments
