// The JSON forms of BezierPath: the dictionary decoder's reader, the
// keyed-container decoder and the encoder.
#include <vector>

#include "Lottie/Model/InitializableError.h"
#include "Lottie/Values/BezierPath.h"
#include "Lottie/Values/PointCoding.h"

namespace lottie {

namespace {

constexpr const char* errorFile = "Lottie/BezierPath";
constexpr unsigned noPathLine = 420;
constexpr unsigned verticesLine = 423;
constexpr unsigned inPointsLine = 424;
constexpr unsigned outPointsLine = 425;
constexpr unsigned countMismatchLine = 430;
constexpr const char* countMismatchDescription = "Vertex data does not match In Tangents and Out Tangents";

// The path object: a dictionary, or the first of a non-empty array of dictionaries.
const platform::json::Value& pathObject(const platform::json::Value& json) {
    if (json.isObject()) return json;
    if (const platform::json::Array* array = json.asArray()) {
        bool allDictionaries = !array->empty();
        for (const platform::json::Value& element : *array) allDictionaries = allDictionaries && element.isObject();
        if (allDictionaries) return array->front();
    }
    throw InitializableError::invalidInput(errorFile, noPathLine);
}

const platform::json::Array& requireArray(const platform::json::Value& object, std::string_view key, unsigned line) {
    const platform::json::Value* found = object.find(key);
    const platform::json::Array* array = found ? found->asArray() : nullptr;
    if (!array) throw InitializableError::invalidInput(errorFile, line);
    return *array;
}

std::vector<platform::graphics::Point> decodePoints(platform::json::UnkeyedDecodingContainer container) {
    std::vector<platform::graphics::Point> points;
    points.reserve(static_cast<std::size_t>(container.count()));
    while (!container.isAtEnd()) points.push_back(decodePoint(container));
    return points;
}

}  // namespace

BezierPath BezierPath::fromAny(const platform::json::Value& json) {
    const platform::json::Value& object = pathObject(json);
    bool closed = true;
    if (const platform::json::Value* flag = object.find("c")) closed = flag->asBool().value_or(true);
    const platform::json::Array& vertices = requireArray(object, "v", verticesLine);
    const platform::json::Array& inPoints = requireArray(object, "i", inPointsLine);
    const platform::json::Array& outPoints = requireArray(object, "o", outPointsLine);
    if (vertices.size() != inPoints.size() || vertices.size() != outPoints.size()) {
        throw InitializableError::invalidInput(errorFile, countMismatchLine);
    }
    std::vector<platform::graphics::Point> points(vertices.size() * 3);
    for (std::size_t index = 0; index < vertices.size(); ++index) {
        points[index] = pointFromAny(vertices[index]);
        points[vertices.size() + index] = pointFromAny(inPoints[index]);
        points[2 * vertices.size() + index] = pointFromAny(outPoints[index]);
    }
    std::span<const platform::graphics::Point> all(points);
    std::size_t count = vertices.size();
    return fromPoints(closed, all.subspan(0, count), all.subspan(count, count), all.subspan(2 * count, count));
}

BezierPath BezierPath::decode(const platform::json::Decoder& decoder) {
    // A path wrapped in a one-element array decodes as the path itself.
    platform::json::KeyedDecodingContainer container =
        decoder.value().isObject() ? decoder.container() : decoder.unkeyedContainer().nestedContainer();
    bool closed = container.decodeIfPresent<bool>("c").value_or(true);
    std::vector<platform::graphics::Point> vertices = decodePoints(container.nestedUnkeyedContainer("v"));
    std::vector<platform::graphics::Point> inPoints = decodePoints(container.nestedUnkeyedContainer("i"));
    std::vector<platform::graphics::Point> outPoints = decodePoints(container.nestedUnkeyedContainer("o"));
    if (vertices.size() != inPoints.size() || vertices.size() != outPoints.size()) {
        throw platform::json::DecodingError::dataCorrupted(
            platform::json::appending(container.codingPath(), platform::json::CodingKey::named("v")),
            countMismatchDescription);
    }
    return fromPoints(closed, vertices, inPoints, outPoints);
}

void BezierPath::encode(platform::json::Encoder& encoder) const {
    platform::json::KeyedEncodingContainer container = encoder.container();
    container.encode("c", closed_);
    // The closing element repeats the first vertex; the decoder adds it back.
    std::size_t count = elements().size();
    if (closed_ && count > 0) --count;
    platform::json::UnkeyedEncodingContainer vertices = container.nestedUnkeyedContainer("v");
    platform::json::UnkeyedEncodingContainer inPoints = container.nestedUnkeyedContainer("i");
    platform::json::UnkeyedEncodingContainer outPoints = container.nestedUnkeyedContainer("o");
    for (std::size_t index = 0; index < count; ++index) {
        const CurveVertex& vertex = elements()[index].vertex;
        encodePoint(vertices, vertex.point);
        encodePoint(inPoints, vertex.inTangent - vertex.point);
        encodePoint(outPoints, vertex.outTangent - vertex.point);
    }
}

}  // namespace lottie
