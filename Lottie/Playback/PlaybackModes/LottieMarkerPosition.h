#pragma once
// Which end of a marker a paused playback state stands at.

namespace lottie {

enum class LottieMarkerPosition { start, end };

}  // namespace lottie
