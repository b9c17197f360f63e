#pragma once
// One animation whose pictures are kept as references under tests/References:
// the document, the folder of its pictures and the frames they show. The
// reference tests make one for each animation of the corpus, of the real-world
// folder beside it and of examples/
// and own them for the run.

#include <filesystem>
#include <string>
#include <vector>

#include "Lottie/Model/LottieAnimation.h"
#include "Platform/Graphics/Image.h"

namespace lottieframes {
class FrameRenderer;
}

namespace referencetest {

struct ReferenceDocument {
    // The test's name: the path below the collection, letters and digits only.
    std::string name;
    std::filesystem::path document;
    // Below tests/References: the collection, then the document's path within it
    // without its extension ("corpus/lottie-docs/docs/static/examples/fill").
    std::filesystem::path pictureFolder;
};

// Every JSON document of the shared corpus, sorted (none when it is absent).
std::vector<ReferenceDocument> corpusDocuments();
// Every JSON document of the real-world folder beside the corpus, sorted (none
// when it is absent).
std::vector<ReferenceDocument> realworldDocuments();
// Every JSON document of the repository's examples/, sorted.
std::vector<ReferenceDocument> exampleDocuments();

// The folder holding the reference pictures in the source tree.
std::filesystem::path referenceRoot();

// The frames kept for an animation: its first frame, the middle one and the
// last that shows. Layers end at the animation's end frame and are not drawn
// on it, so the last frame that shows is the whole frame before the end frame
// (ceil(end) - 1), or the first frame when the animation is shorter than one frame.
// The middle frame is a whole number of frames after the first.
std::vector<double> referenceFrames(const lottie::LottieAnimation& animation);

// "frame-12.png", "frame-2.5.png".
std::string pictureFileName(double frame);

// The document at `file`, decoded as the pictures' tests decode it; nothing
// when it does not decode.
std::shared_ptr<const lottie::LottieAnimation> decodedDocument(const std::filesystem::path& file);

// A frame drawn by the frame tool's renderer as its PNG keeps it: straight
// alpha, eight bits a channel, the form pictures are kept and compared in.
std::shared_ptr<const platform::graphics::Image> renderedPicture(lottieframes::FrameRenderer& renderer,
                                                                 double frame);

struct PictureSize {
    int width;
    int height;
};
// The size the pictures are drawn at: the animation's aspect ratio, with its
// long side this many pixels (at least one pixel on the short side).
PictureSize pictureSize(const lottie::LottieAnimation& animation, int longSide);

}  // namespace referencetest
