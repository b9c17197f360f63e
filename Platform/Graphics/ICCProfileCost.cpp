#include "Platform/Graphics/ICCProfileCost.h"

#include <algorithm>

#include "Platform/Graphics/ImageColorProfile.h"

namespace platform::graphics {

namespace {

using Bytes = std::span<const std::uint8_t>;
using P = ImageColorProfile;

constexpr std::uint64_t kCurveSteps = 32;

// Big-endian numbers of the profile at `offset`; 0 past its end.
std::uint32_t read32(Bytes bytes, std::uint64_t offset) {
    if (offset + 4 > bytes.size()) return 0;
    const std::uint8_t* b = bytes.data() + offset;
    return static_cast<std::uint32_t>(b[0]) << 24 | static_cast<std::uint32_t>(b[1]) << 16 |
           static_cast<std::uint32_t>(b[2]) << 8 | b[3];
}

std::uint32_t read16(Bytes bytes, std::uint64_t offset) {
    if (offset + 2 > bytes.size()) return 0;
    return static_cast<std::uint32_t>(bytes[offset]) << 8 | bytes[offset + 1];
}

std::uint32_t read8(Bytes bytes, std::uint64_t offset) { return offset < bytes.size() ? bytes[offset] : 0; }

constexpr std::uint32_t signature(const char (&name)[5]) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(name[0])) << 24 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(name[1])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(name[2])) << 8 |
           static_cast<unsigned char>(name[3]);
}

// Reads the pipelines of a profile's tags: what evaluating one at a point
// costs, the curve segments of them all, and the first bound one passes.
class PipelineReader {
public:
    explicit PipelineReader(Bytes bytes) : bytes_(bytes) {}

    // The steps of the pipeline of the tag at `tag` at one point; none for a
    // tag of another type.
    std::uint64_t stepsOf(std::uint64_t tag) {
        const std::uint32_t type = read32(bytes_, tag);
        if (type == signature("mpet")) return elementsSteps(tag);
        const std::uint32_t inputs = read8(bytes_, tag + 8);
        const std::uint32_t outputs = read8(bytes_, tag + 9);
        if (type == signature("mAB ") || type == signature("mBA ")) {
            // Curves on either side of the table and of the matrix.
            const std::uint32_t table = read32(bytes_, tag + 24);
            const std::uint64_t steps = kCurveSteps * (inputs + 2 * outputs) + 12;
            return steps + (table == 0 ? 0 : tableSteps(inputs, outputs, [&](std::uint32_t input) {
                                return read8(bytes_, tag + table + input);
                            }));
        }
        if (type == signature("mft1") || type == signature("mft2")) {
            const std::uint32_t gridSize = read8(bytes_, tag + 10);
            return 9 + kCurveSteps * (inputs + outputs) +
                   tableSteps(inputs, outputs, [gridSize](std::uint32_t) { return gridSize; });
        }
        return 0;
    }

    std::uint64_t segments() const { return segments_; }
    const std::optional<std::string>& excess() const { return excess_; }

private:
    // A pipeline of multiple process elements, listed by position: a few bytes
    // can list one element thousands of times.
    std::uint64_t elementsSteps(std::uint64_t tag) {
        const std::uint32_t stages = read32(bytes_, tag + 12);
        if (stages > P::maximumStageCount) {
            excess_ = "a pipeline of it has " + std::to_string(stages) + " stages, more than " +
                      std::to_string(P::maximumStageCount);
            return 0;
        }
        std::uint64_t steps = 0;
        for (std::uint32_t stage = 0; stage < stages && !excess_; ++stage) {
            const std::uint64_t element = tag + read32(bytes_, tag + 16 + 8 * std::uint64_t{stage});
            const std::uint32_t type = read32(bytes_, element);
            const std::uint32_t inputs = read16(bytes_, element + 8);
            const std::uint32_t outputs = read16(bytes_, element + 10);
            if (type == signature("cvst")) {
                steps += curvesSteps(element, inputs);
            } else if (type == signature("matf")) {
                steps += std::uint64_t{inputs} * outputs + outputs;
            } else if (type == signature("clut")) {
                steps += tableSteps(inputs, outputs, [&](std::uint32_t input) {
                    return input < 16 ? read8(bytes_, element + 12 + input) : 0;
                });
            }
        }
        if (segments_ > P::maximumCurveSegments && !excess_) {
            excess_ = "its curves have " + std::to_string(segments_) + " segments, more than " +
                      std::to_string(P::maximumCurveSegments);
        }
        return steps;
    }

    // The curves of a curve-set element, listed by position, so that one curve
    // listed many times counts each time. Each segment is tabulated at
    // thousands of points as it is read.
    std::uint64_t curvesSteps(std::uint64_t element, std::uint32_t channels) {
        std::uint64_t steps = 0;
        for (std::uint32_t channel = 0; channel < channels; ++channel) {
            const std::uint64_t curve = element + read32(bytes_, element + 12 + 8 * std::uint64_t{channel});
            // Even a curve of no segments is tabulated.
            const bool segmented = read32(bytes_, curve) == signature("curf");
            const std::uint32_t segments = segmented ? std::max<std::uint32_t>(read16(bytes_, curve + 8), 1) : 1;
            segments_ += segments;
            steps += kCurveSteps + segments;
        }
        return steps;
    }

    // A lookup table of `inputs` inputs and `outputs` outputs whose grid has
    // gridSize(input) points along each input.
    template <typename GridSize>
    std::uint64_t tableSteps(std::uint32_t inputs, std::uint32_t outputs, GridSize gridSize) {
        if (inputs > P::maximumTableInputs) {
            excess_ = "a table of it has " + std::to_string(inputs) + " inputs, more than " +
                      std::to_string(P::maximumTableInputs);
            return 0;
        }
        std::uint64_t points = 1;
        for (std::uint32_t input = 0; input < inputs; ++input) {
            points = std::min<std::uint64_t>(points * gridSize(input), P::maximumTableGridPoints + 1);
        }
        if (points > P::maximumTableGridPoints) {
            excess_ = "a table of it has more than " + std::to_string(P::maximumTableGridPoints) + " grid points";
            return 0;
        }
        return 2 * (std::uint64_t{1} << inputs) * outputs;
    }

    Bytes bytes_;
    std::uint64_t segments_ = 0;
    std::optional<std::string> excess_;
};

}  // namespace

ICCProfileCost ICCProfileCost::of(std::span<const std::uint8_t> bytes) {
    ICCProfileCost cost;
    if (bytes.size() > P::maximumProfileBytes) {
        // Decoders read a profile no further than one byte past the bound.
        cost.excess_ = "it holds more than " + std::to_string(P::maximumProfileBytes) + " bytes";
        return cost;
    }
    constexpr std::uint64_t tagTable = 128;
    const std::uint32_t tags = read32(bytes, tagTable);
    if (tags > P::maximumTagCount) {
        cost.excess_ = "it lists " + std::to_string(tags) + " tags, more than " + std::to_string(P::maximumTagCount);
        return cost;
    }
    // The conversion is built from the floating-point pipeline when there is
    // one, else from the other; without either, from the matrix and curves,
    // which cost little besides the rest of the conversion.
    std::optional<std::uint64_t> floatPipeline;
    std::uint64_t pipeline = 0;
    PipelineReader reader(bytes);
    for (std::uint32_t tag = 0; tag < tags; ++tag) {
        const std::uint64_t entry = tagTable + 4 + 12 * std::uint64_t{tag};
        const std::uint64_t steps = reader.stepsOf(read32(bytes, entry + 4));
        if (reader.excess()) {
            cost.excess_ = reader.excess();
            return cost;
        }
        const std::uint32_t name = read32(bytes, entry);
        if (name == signature("D2B0")) floatPipeline = steps;
        if (name == signature("A2B0")) pipeline = steps;
    }
    cost.conversionSteps_ = evaluatedPoints * (stepsBesidesThePipeline + floatPipeline.value_or(pipeline));
    if (cost.conversionSteps_ > P::maximumConversionSteps) {
        cost.excess_ = "building a conversion from it would take " + std::to_string(cost.conversionSteps_) +
                       " steps, more than " + std::to_string(P::maximumConversionSteps);
    }
    return cost;
}

}  // namespace platform::graphics
