#pragma once
// The children of the memory mode's second table: what each animation beyond
// the first costs when one decoded document is shared by many views, as an
// application showing a list of stickers has it. A child makes the views one
// after another, each drawing two frames at 32x32, and prints its resident
// memory after the first view and after the last. Called by the benchmark's
// main() for the child arguments below; read by PeersMemory.

#include <filesystem>
#include <string>

namespace peersbench {

// How many views share the document.
inline constexpr int sharedViewCount = 30;

// The child renderers: ours on each engine choice, and the peer with one
// cached model and an animation per view.
inline constexpr const char* sharedViewsMainThread = "views-main-thread";
inline constexpr const char* sharedViewsAutomatic = "views-automatic";
inline constexpr const char* sharedViewsPeer = "views-peer";

bool isSharedViewsRenderer(const std::string& rendererName);

// Prints "FIRST ALL", resident KiB after the first view and after all of
// them, and returns 0; 1 when the renderer does not load the document.
int measureSharedViews(const std::string& rendererName, const std::filesystem::path& path);

}  // namespace peersbench
