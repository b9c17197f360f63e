// The shape lists of real animations (the read-only corpus; see its
// LICENSES.md) decode by both decoders and survive a round trip.

#include <gtest/gtest.h>

#include <typeinfo>
#include <vector>

#include "Lottie/Model/ShapeItems/Group.h"

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

platform::json::Value encodeList(const ShapeItemList& items) { return platform::json::encodeToValue(items); }

// The same kinds, names and visibility, groups alike all the way down. (The
// values of animated properties with several keyframes don't survive the
// keyframe encoder, which writes one entry fewer than there are keyframes;
// static values and the items' own keys do.)
ShapeItemList withoutUnknown(const ShapeItemList& items, bool skipUnknown) {
    ShapeItemList kept;
    for (const auto& item : items) {
        if (!skipUnknown || item->type() != lottie::ShapeType::unknown) kept.push_back(item);
    }
    return kept;
}

// With `skipUnknown`, items of unrecognised kinds are passed over, as the
// dictionary decoder drops them (it keeps only those literally "unknown").
bool sameStructure(const ShapeItemList& firstList, const ShapeItemList& secondList, bool skipUnknown = false) {
    const ShapeItemList first = withoutUnknown(firstList, skipUnknown);
    const ShapeItemList second = withoutUnknown(secondList, skipUnknown);
    if (first.size() != second.size()) return false;
    for (std::size_t index = 0; index < first.size(); ++index) {
        const ShapeItem& a = *first[index];
        const ShapeItem& b = *second[index];
        if (typeid(a) != typeid(b) || a.type() != b.type() || a.name() != b.name() || a.hidden() != b.hidden()) {
            return false;
        }
        auto groupA = dynamic_cast<const lottie::Group*>(&a);
        auto groupB = dynamic_cast<const lottie::Group*>(&b);
        if (groupA && !sameStructure(groupA->items(), groupB->items(), skipUnknown)) return false;
    }
    return true;
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
            platform::json::Value wrapper(platform::json::Object{{"it", *list}});
            ShapeItemList items;
            ASSERT_NO_THROW(items = ShapeItem::itemsFromDictionaries(
                                lottie::value<lottie::DictionaryArray>(wrapper, "it", "corpus", 0)));
            platform::json::Value encoded = encodeList(items);
            platform::json::Value rewrapped(platform::json::Object{{"it", encoded}});
            ShapeItemList again = ShapeItem::itemsFromDictionaries(
                lottie::value<lottie::DictionaryArray>(rewrapped, "it", "corpus", 0));
            EXPECT_TRUE(sameStructure(items, again));

            try {
                ShapeItemList keyed = decodeKeyed(*list);
                EXPECT_TRUE(sameStructure(keyed, decodeKeyed(encodeList(keyed))));
                // Where the stricter decoder accepts a list, both decoders read it alike,
                // but for the unrecognised kinds only it keeps.
                EXPECT_TRUE(sameStructure(keyed, items, true));
            } catch (const platform::json::DecodingError& error) {
                keyedRejections.push_back(path.filename().string() + ": " + error.what());
            }
        }
    }
    EXPECT_GT(lists, 0);
    for (const std::string& rejection : keyedRejections) std::cout << "[ keyed rejects ] " << rejection << "\n";
}

}  // namespace
