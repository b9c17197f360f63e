// The shape lists of real animations (the read-only corpus; see its
// LICENSES.md) decode by both decoders and survive a round trip.

#include <gtest/gtest.h>

#include <vector>

#include "tests/Lottie/Model/ShapeItems/ShapeItemTestSupport.h"
#include "tests/Support/TestSupport.h"

using namespace shapetests;

namespace {

// Every shape layer's "shapes" array, in the document's layers and in its
// precomposition assets.
void collectShapeLists(const platform::json::Value& document, std::vector<const platform::json::Value*>& lists) {
    auto visitLayers = [&lists](const platform::json::Value* layers) {
        if (!layers || !layers->asArray()) return;
        for (const platform::json::Value& layer : *layers->asArray()) {
            const platform::json::Value* type = layer.find("ty");
            const platform::json::Value* shapes = layer.find("shapes");
            if (type && type->asInteger() == 4 && shapes && shapes->isArray()) lists.push_back(shapes);
        }
    };
    visitLayers(document.find("layers"));
    if (const platform::json::Value* assets = document.find("assets"); assets && assets->asArray()) {
        for (const platform::json::Value& asset : *assets->asArray()) visitLayers(asset.find("layers"));
    }
}

ShapeItemList decodeKeyed(const platform::json::Value& list) {
    platform::json::Value wrapper(platform::json::Object{{"shapes", list}});
    platform::json::Decoder decoder(wrapper);
    return ShapeItem::decodeShapeItemFamily(decoder.container(), "shapes");
}

ShapeItemList decodeByDictionary(const platform::json::Value& list) {
    platform::json::Value wrapper(platform::json::Object{{"it", list}});
    return ShapeItem::itemsFromDictionaries(lottie::value<lottie::DictionaryArray>(wrapper, "it", "corpus", 0));
}

platform::json::Value encodeList(const ShapeItemList& items) { return platform::json::encodeToValue(items); }

std::string text(const platform::json::Value& value) { return platform::json::serialize(value); }

// An encoded list without the items of unknown kind, at every depth: the keyed
// decoder keeps every unrecognised kind as one, the dictionary decoder drops them.
platform::json::Value withoutUnknown(platform::json::Value list) {
    platform::json::Array& items = *list.asArray();
    std::erase_if(items, [](const platform::json::Value& item) {
        return *item.find("ty")->asString() == "unknown";
    });
    for (platform::json::Value& item : items) {
        for (platform::json::Member& member : *item.asObject()) {
            if (member.key == "it") member.value = withoutUnknown(member.value);
        }
    }
    return list;
}

TEST(ShapeItemCorpus, EveryShapeListDecodesAndRoundTrips) {
    const auto files = testsupport::corpusFiles(".json");
    if (files.empty()) GTEST_SKIP() << "no corpus";
    int lists = 0;
    std::vector<std::string> keyedRejections;
    for (const auto& path : files) {
        SCOPED_TRACE(path.string());
        platform::json::Value document;
        try {
            document = platform::json::parse(testsupport::readFile(path));
        } catch (const std::exception&) {
            continue;  // not JSON this test is about
        }
        std::vector<const platform::json::Value*> shapeLists;
        collectShapeLists(document, shapeLists);
        for (const platform::json::Value* list : shapeLists) {
            ++lists;
            ShapeItemList items;
            ASSERT_NO_THROW(items = decodeByDictionary(*list));
            const platform::json::Value encoded = encodeList(items);
            EXPECT_EQ(text(encodeList(decodeByDictionary(encoded))), text(encoded));
            try {
                const platform::json::Value keyed = encodeList(decodeKeyed(*list));
                EXPECT_EQ(text(encodeList(decodeKeyed(keyed))), text(keyed));
                // Where the stricter decoder accepts a list, both decoders read it alike,
                // but for the unrecognised kinds only it keeps.
                EXPECT_EQ(text(withoutUnknown(keyed)), text(withoutUnknown(encoded)));
            } catch (const platform::json::DecodingError& error) {
                keyedRejections.push_back(path.filename().string() + ": " + error.what());
            }
        }
    }
    EXPECT_GT(lists, 0);
    for (const std::string& rejection : keyedRejections) std::cout << "[ keyed rejects ] " << rejection << "\n";
}

}  // namespace
