#pragma once
// How the player's loop-mode button shows and cycles a loop mode: its label
// (the tooltip: "Loop", "Auto Reverse", "Play Once", "Repeat N times"), the
// symbol icon's name, and the mode a click moves on to (Loop → Auto Reverse →
// Play Once → Loop; a counted mode goes back to Loop). Free functions.

#include <QString>

#include "Lottie/Playback/PlaybackModes/LottieLoopMode.h"

namespace pellor {

QString loopModeLabel(const lottie::LottieLoopMode& mode);
// Empty for the counted modes, which have no symbol.
QString loopModeSymbol(const lottie::LottieLoopMode& mode);
lottie::LottieLoopMode nextLoopMode(const lottie::LottieLoopMode& mode);

}  // namespace pellor
