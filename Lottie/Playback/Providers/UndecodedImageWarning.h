#pragma once
// The warning for an image asset whose bytes were found but give no picture:
// a broken file, a form the decoders do not take, an embedded image whose
// data address cannot be read. It names the asset by its id and where its
// bytes came from (its file, or "an embedded image of N KB"), says what was
// wrong with them, and stays one short line however large the image: a data
// address is never repeated. Made by the image providers, which say it once
// per decoding.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "Platform/Foundation/Data.h"
#include "Platform/Graphics/Image.h"

namespace lottie {

class ImageAsset;
class ImagePixelBudget;
class LottieLogger;

// `bytes` is what was found (nothing for an embedded image whose address
// could not be read); `fileName` names the file or package entry they came
// from, and is empty for an embedded image.
std::string undecodedImageWarning(const ImageAsset& asset, std::optional<std::span<const std::uint8_t>> bytes,
                                  const std::string& fileName = {});

// The picture of an image the document embeds: `bytes` decoded within
// `budget` (if any), or nothing (`bytes` is nothing when its data address
// could not be read). A refusal by the budget or a bound of the decoder is
// said by whoever keeps the budget; bytes that simply give no picture are said
// here, through `logger`, as `undecodedImageWarning` says them. An embedded
// image is never looked for among the files: its name is its data.
std::shared_ptr<const platform::graphics::Image> decodeEmbeddedImage(
    const ImageAsset& asset, const std::optional<platform::foundation::Data>& bytes, ImagePixelBudget* budget,
    const LottieLogger& logger, std::string_view file, unsigned line);

}  // namespace lottie
