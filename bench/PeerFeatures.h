#pragma once
// Which features of a document the peer renderer leaves out, read from the
// document's JSON: text layers, layer effects, blend modes, rounded corners,
// layer styles, and track mattes whose source is not the layer right above or
// whose mode it does not know. A document with none of them should look the
// same in both renderers, so only such documents make a fair comparison of
// speed and memory. Also which of them our main-thread engine leaves out
// (repeaters), where the automatic option's engine draws more than it. Used by
// the peer benchmark only.

#include <string>
#include <vector>

#include "Platform/Json/JsonValue.h"

namespace peersbench {

// The features the peer leaves out, each named once, in a fixed order; empty
// when both renderers draw the whole document.
std::vector<std::string> featuresThePeerSkips(const platform::json::Value& document);

// The features our main-thread engine leaves out (it warns that it does),
// named as above; empty when it draws the whole document.
std::vector<std::string> featuresTheMainThreadEngineSkips(const platform::json::Value& document);

}  // namespace peersbench
