#pragma once
// The warning for an image asset whose bytes were found but give no picture:
// a broken file, a form the decoders do not take, an embedded image whose
// data address cannot be read. It names the asset by its id and where its
// bytes came from (its file, or "an embedded image of N KB"), says what was
// wrong with them, and stays one short line however large the image: a data
// address is never repeated. Made by the image providers, which say it once
// per decoding.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace lottie {

class ImageAsset;

// `bytes` is what was found (nothing for an embedded image whose address
// could not be read); `fileName` names the file or package entry they came
// from, and is empty for an embedded image.
std::string undecodedImageWarning(const ImageAsset& asset, std::optional<std::span<const std::uint8_t>> bytes,
                                  const std::string& fileName = {});

}  // namespace lottie
