// A package's images stay in its archive until first drawn: a package of
// thousands of image files loads and draws without unpacking them, on each
// engine choice; an image whose data proves damaged or far larger than its
// records say when it is read shows nothing, says why, and leaves the package's
// other images and the load itself alone; one whose colour profile would
// take minutes to convert with is drawn as sRGB, saying so once; and files
// of hundreds of megabytes (stored, or of deflate blocks that write nothing,
// or whose profile's are) cost no more than a second copy's worth of memory
// nor seconds to draw.

#include <gtest/gtest.h>

#include <webp/encode.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Lottie/DotLottie/DotLottieFile.h"
#include "Lottie/DotLottie/DotLottieImageProvider.h"
#include "Lottie/DotLottie/PackageArchive.h"
#include "Lottie/DotLottie/Zip/ChunkedData.h"
#include "Lottie/Model/Assets/ImageAsset.h"
#include "Lottie/Playback/RenderingEngineOption.h"
#include "Platform/Foundation/Files.h"
#include "Platform/Graphics/ProcessorDeadline.h"
#include "Platform/Graphics/SanitizedBuild.h"
#include "Platform/Json/JsonParser.h"
#include "tests/EngineComparison/Support/HostileDocuments.h"
#include "tests/Lottie/DotLottie/Package/PackageTestSupport.h"
#include "tests/Platform/Graphics/ProfiledImageFiles.h"
#include "tests/Support/RecordingLogger.h"
#include "tests/Support/SteppingProcessorClock.h"
#include "tests/Support/TestSupport.h"
#include "tools/lottie-frames/FrameRenderer.h"

using namespace lottie;
using namespace packagetest;
using ziptest::TestEntry;

namespace {

ImageAsset asset(const std::string& name) {
    return ImageAsset(platform::json::parse(R"({"id":"image_0","w":4,"h":4,"u":"","p":")" + name + R"("})"));
}

class PackageImageReading : public ::testing::Test {
protected:
    std::shared_ptr<const DotLottieFile> load(const platform::foundation::Data& data) {
        return DotLottieFile::load(data, "clip.lottie", {temporary.path(), {}});
    }

    testsupport::TemporaryDirectory temporary;
};

// With its manifest and animation, ten entries short of what a package may
// list. Unpacking every image file at load time took seconds; the load now
// reads none of them, and drawing reads only the one the animation shows.
TEST_F(PackageImageReading, APackageOfThousandsOfEmptyImagesLoadsAndDrawsTwoFrames) {
    using hostiletest::document;
    const std::string image = R"({"ty":2,"nm":"I","ind":1,"refId":"image_0","ip":0,"op":60,"st":0,"ks":{}})";
    const std::string assets = R"([{"id":"image_0","w":64,"h":64,"u":"images/","p":"img_1.png"}])";
    std::vector<TestEntry> entries{
        TestEntry::file("manifest.json", manifestJson({"a"})),
        TestEntry::file("animations/a.json",
                        document(image + "," + hostiletest::shapeLayer(2, hostiletest::rect(256, 256, 100) + "," +
                                                                              hostiletest::greenFill),
                                 assets))};
    for (int index = 0; index < 9'990; ++index) {
        entries.push_back(TestEntry::file("images/img_" + std::to_string(index) + ".png", ""));
    }
    const platform::foundation::Data data = zipped(entries);
    for (const auto& option : {RenderingEngineOption::automatic(), RenderingEngineOption::mainThread(),
                               RenderingEngineOption::coreAnimation()}) {
        SCOPED_TRACE(option.description());
        const auto file = load(data);
        ASSERT_TRUE(file->imageProvider());
        EXPECT_EQ(file->imageProvider()->imageNames().size(), 9'990u);
        EXPECT_EQ(leftovers(temporary.path()), std::vector<std::string>{});
        lottieframes::FrameRenderer renderer(file->animation(std::nullopt).decodedAnimation(), 512, 512, std::nullopt,
                                             option, file->imageProvider());
        const auto frame = hostiletest::drawTwoFrames(renderer);
        ASSERT_TRUE(frame);
        EXPECT_TRUE(hostiletest::opaqueAt(*frame, 256, 256));
        EXPECT_FALSE(hostiletest::opaqueAt(*frame, 100, 100));
        // An empty file is no image.
        EXPECT_EQ(file->imageProvider()->decodedImageCount(), 0u);
    }
}

// Damage the load used to find by unpacking every image is found when the
// image is drawn: the image shows nothing, the warning names it and the
// reader's reason, once, and the other images still show.
TEST_F(PackageImageReading, AnImageThatCannotBeReadWhenDrawnShowsNothingAndSaysWhy) {
    const std::string good = pngOf(4, 4, 0x0000ffff);
    const std::string zeros(4 << 20, '\0');
    std::vector<TestEntry> entries{TestEntry::file("manifest.json", manifestJson({"a"})),
                                   TestEntry::file("animations/a.json", imageAnimationJson("ok.png", 4, 4)),
                                   TestEntry::file("images/ok.png", good, 8)};
    TestEntry damaged = TestEntry::file("images/damaged.png", good, 8);
    damaged.crcOverride = 0x12345678;
    entries.push_back(damaged);
    // Two megabytes that hardly compress, read past the deadline of the
    // work that draws them.
    std::string noise(2 << 20, '\0');
    for (std::size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>((i * 2654435761u) >> 13);
    entries.push_back(TestEntry::file("images/late.png", noise, 8));
    // Four megabytes of zeros that the records say are 100 bytes: within every
    // limit on paper, far past the inflation ratio once read.
    entries.push_back(TestEntry::file("images/understated.png", zeros, 8));
    ziptest::TestArchive archive = ziptest::writeTestArchive(entries);
    std::vector<ziptest::RecordSpan> locals, centrals;
    for (const auto& record : archive.records) {
        if (record.kind == "local") locals.push_back(record);
        if (record.kind == "central") centrals.push_back(record);
    }
    ASSERT_EQ(centrals.size(), entries.size());
    ziptest::Bytes understated;
    ziptest::put(understated, 100, 4);
    std::copy(understated.begin(), understated.end(), archive.bytes.begin() + locals.back().begin + 22);
    std::copy(understated.begin(), understated.end(), archive.bytes.begin() + centrals.back().begin + 24);

    const auto file = load(archive.bytes);
    ASSERT_TRUE(file->imageProvider());
    const struct {
        const char* name;
        const char* reason;
        // Read under a deadline of 0.5 s, with a clock that moves on 0.1 s at
        // each reading: the read reads it every 64 KB of compressed data.
        bool late = false;
    } cases[] = {
        {"damaged.png", "CRC"},
        {"understated.png", "ratio"},
        {"late.png", "passed its deadline [entry \"images/late.png\"]: 0.5 s of processor time", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::optional<testsupport::SteppingProcessorClock::Installation> clock;
        if (c.late) clock.emplace(0.1);
        const platform::graphics::ProcessorDeadline::Scope deadline(
            c.late ? std::make_shared<platform::graphics::ProcessorDeadline>(0.5) : nullptr);
        testsupport::RecordingLogger log;
        EXPECT_EQ(file->imageProvider()->imageForAsset(asset(c.name)), nullptr);
        EXPECT_EQ(file->imageProvider()->imageForAsset(asset(c.name)), nullptr);
        ASSERT_EQ(log.warnings.size(), 1u);
        EXPECT_NE(log.warnings.front().find(c.name), std::string::npos) << log.warnings.front();
        EXPECT_NE(log.warnings.front().find(c.reason), std::string::npos) << log.warnings.front();
    }
    const auto ok = file->imageProvider()->imageForAsset(asset("ok.png"));
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->width(), 4);
}

// A package of some 900 bytes whose image's profile lists a matrix and a
// table of 15 inputs eight times: building a conversion from it never ended.
TEST_F(PackageImageReading, AnImageWhoseProfileCostsTooMuchIsDrawnAsSRGBAndSaysSoOnce) {
    using namespace profiledimages;
    const std::vector<std::uint8_t> white(2 * 2 * 4, 255);
    const platform::foundation::Data data = zipped(
        {TestEntry::file("manifest.json", manifestJson({"a"})),
         TestEntry::file("animations/a.json", imageAnimationJson("t.png", 512, 512)),
         TestEntry::file("images/t.png", png(2, 2, white, false, {iccpChunk(widenedTableProfile(15, 8))}))});
    for (const auto& option : {RenderingEngineOption::automatic(), RenderingEngineOption::mainThread(),
                               RenderingEngineOption::coreAnimation()}) {
        SCOPED_TRACE(option.description());
        const auto file = load(data);
        testsupport::RecordingLogger log;
        lottieframes::FrameRenderer renderer(file->animation(std::nullopt).decodedAnimation(), 512, 512, std::nullopt,
                                             option, file->imageProvider());
        const auto frame = hostiletest::drawTwoFrames(renderer);
        ASSERT_TRUE(frame);
        EXPECT_EQ(frame->pixel(256, 256), 0xffffffffu);
        EXPECT_EQ(hostiletest::mentions(log, "a table of it has 15 inputs", false), 1);
    }
}

// A PNG of 2 x 2 white pixels with a chunk of `size` bytes that says nothing
// about them after its header, written straight into one buffer.
ziptest::Bytes pngWithLargeChunk(std::size_t size) {
    const std::vector<std::uint8_t> white(2 * 2 * 4, 255);
    const std::string small = profiledimages::png(2, 2, white, false, {});
    constexpr std::size_t afterHeader = 8 + 25;
    ziptest::Bytes file;
    file.reserve(small.size() + size + 12);
    file.insert(file.end(), small.begin(), small.begin() + afterHeader);
    ziptest::Bytes length;
    ziptest::put(length, size, 4);
    file.insert(file.end(), length.rbegin(), length.rend());
    const std::size_t typed = file.size();
    file.insert(file.end(), {'j', 'u', 'N', 'k'});
    file.resize(file.size() + size, 'j');
    const std::uint32_t crc = ChunkedData::crc32(std::span(file).subspan(typed));
    for (int shift : {24, 16, 8, 0}) file.push_back(static_cast<std::uint8_t>(crc >> shift));
    file.insert(file.end(), small.begin() + afterHeader, small.end());
    return file;
}

// A lossy WebP of 2 x 2 white pixels in the extended container, its alpha
// (all opaque, uncompressed) in a chunk of `size` bytes whose bytes past the
// four it needs say nothing, written straight into one buffer.
ziptest::Bytes lossyWebPWithLargeAlpha(std::size_t size) {
    const std::vector<std::uint8_t> white(2 * 2 * 4, 255);
    std::uint8_t* encoded = nullptr;
    const std::size_t encodedSize = WebPEncodeRGBA(white.data(), 2, 2, 8, 100, &encoded);
    const std::string image(reinterpret_cast<const char*>(encoded) + 12, encodedSize - 12);  // the VP8 chunk
    WebPFree(encoded);
    const auto littleEndian = [](ziptest::Bytes& out, std::size_t value, int count) {
        for (int i = 0; i < count; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    };
    ziptest::Bytes file;
    file.reserve(size + image.size() + 64);
    file.insert(file.end(), {'R', 'I', 'F', 'F'});
    littleEndian(file, 4 + 18 + 8 + size + size % 2 + image.size(), 4);
    file.insert(file.end(), {'W', 'E', 'B', 'P', 'V', 'P', '8', 'X'});
    littleEndian(file, 10, 4);
    littleEndian(file, 0x10, 4);  // it has alpha
    littleEndian(file, 1, 3);
    littleEndian(file, 1, 3);
    file.insert(file.end(), {'A', 'L', 'P', 'H'});
    littleEndian(file, size, 4);
    file.push_back(0);  // stored, unfiltered
    file.insert(file.end(), 4, 255);
    file.resize(file.size() + size - 5 + size % 2, 'a');
    file.insert(file.end(), image.begin(), image.end());
    return file;
}

}  // namespace

// A large image file is inflated straight into a buffer of its recorded size,
// backed by huge pages where the kernel has them: grown as it was inflated, a
// file of 243 MB was copied into ever larger buffers and took seconds of
// page faults.
TEST_F(PackageImageReading, ALargeImageFileIsReadOnceIntoABufferOfItsSize) {
    // Text that deflates no further than the archive's ratio allows.
    std::string large(std::size_t(24) << 20, 'x');
    for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>('a' + (i * 2654435761u >> 7) % 26);
    PackageArchive archive(zipped({TestEntry::file("images/large.png", large)}), ExtractionLimits{});
    const std::vector<PackageArchive::File> files = archive.filesIn("images");
    ASSERT_EQ(files.size(), 1u);
    const PackageArchive::FileBytes read = archive.read(files[0].recordOffset);
    const platform::foundation::Data& bytes = *read.holder;
    ASSERT_EQ(read.bytes.data(), bytes.data());
    ASSERT_EQ(bytes.size(), large.size());
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), large.begin()));
    EXPECT_EQ(bytes.capacity(), large.size());
    const auto huge = testsupport::hugePageBytesIn(bytes.data(), bytes.size());
    if (!huge) GTEST_SKIP() << "the kernel offers no huge pages";
    EXPECT_GE(*huge, std::size_t(16) << 20);
}

// Packages of one image file of hundreds of megabytes, each read from a file
// as the frame tool reads it and drawn by each engine choice: one stored
// uncompressed (read where it lies in the package's bytes, which the package
// holds once), a PNG whose colour profile follows 200 MB of empty deflate
// blocks, and a file whose deflated data does. Deflate blocks that write
// nothing are read no further than any compression of what they hold
// takes. Loading, decoding, setting up and drawing take at most 2 s of
// processor time and 512 MB (the package's bytes included) together, and
// what a bound refuses is said once. (One copy of these packages too many
// took 480 to 520 MB besides; the empty blocks took 2.5 to 4 s.)
TEST_F(PackageImageReading, ImageFilesOfHundredsOfMegabytesDrawWithinTheBoundsAndSayOnceWhatIsRefused) {
    using namespace profiledimages;
    constexpr std::size_t megabyte = std::size_t(1) << 20;
    const std::vector<std::uint8_t> white(2 * 2 * 4, 255);
    const std::string smallPNG = png(2, 2, white, false, {});
    const struct {
        const char* name;
        std::function<TestEntry()> image;
        // Whether the image is drawn, and what the warning says once (nothing
        // is said when none).
        bool drawn;
        const char* said;
    } cases[] = {
        {"a stored PNG of 252 MB",
         [] {
             TestEntry entry = TestEntry::file("images/big.png", "");
             entry.data = pngWithLargeChunk(252 * megabyte);
             return entry;
         },
         true, nullptr},
        // The alpha chunk was copied into a container of its own beside the
        // entry, twice the memory.
        {"a stored lossy WebP whose alpha chunk is 252 MB",
         [] {
             TestEntry entry = TestEntry::file("images/big.png", "");
             entry.data = lossyWebPWithLargeAlpha(252 * megabyte);
             return entry;
         },
         true, nullptr},
        {"a stored PNG whose profile follows 200 MB of empty deflate blocks",
         [&] {
             return TestEntry::file("images/big.png",
                                    png(2, 2, white, false, {iccpChunk(rgbProfile(kWideGamutPrimaries, 2.2),
                                                                       200 * megabyte / 5)}));
         },
         true, "compressed data is longer than any compression of what it holds"},
        {"a PNG whose deflated data follows 240 MB of empty deflate blocks",
         [&] {
             TestEntry entry = TestEntry::file("images/big.png", smallPNG, 8);
             entry.deflated = ziptest::emptyDeflateBlocks(240 * megabyte / 5);
             const ziptest::Bytes data = ziptest::deflateRaw(entry.data);
             entry.deflated->insert(entry.deflated->end(), data.begin(), data.end());
             return entry;
         },
         false, "Could not read image \"big.png\" from the package: ZIP archive error (compressedSizeLimitExceeded)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::filesystem::path path = temporary.path() / "big.lottie";
        {
            ziptest::TestArchive archive = ziptest::writeTestArchive(
                {TestEntry::file("manifest.json", manifestJson({"a"})),
                 TestEntry::file("animations/a.json", imageAnimationJson("big.png", 512, 512)), c.image()});
            std::ofstream(path, std::ios::binary)
                .write(reinterpret_cast<const char*>(archive.bytes.data()),
                       static_cast<std::streamsize>(archive.bytes.size()));
        }
        for (const auto& option : {RenderingEngineOption::automatic(), RenderingEngineOption::mainThread(),
                                   RenderingEngineOption::coreAnimation()}) {
            SCOPED_TRACE(option.description());
            testsupport::RecordingLogger log;
            const bool measuresMemory = testsupport::resetPeakResidentBytes();
            const std::size_t before = testsupport::residentBytes();
            const double start = testsupport::threadProcessorSeconds();
            std::shared_ptr<const platform::graphics::Image> frame;
            {
                const auto file = DotLottieFile::load(platform::foundation::readFile(path), "big.lottie",
                                                      {temporary.path(), {}});
                lottieframes::FrameRenderer renderer(file->animation(std::nullopt).decodedAnimation(), 512, 512,
                                                     std::nullopt, option, file->imageProvider());
                frame = hostiletest::drawTwoFrames(renderer);
            }
            const double spent = testsupport::threadProcessorSeconds() - start;
            ASSERT_TRUE(frame);
            EXPECT_EQ(frame->pixel(256, 256) == 0xffffffffu, c.drawn);
            if (c.said) {
                EXPECT_EQ(hostiletest::mentions(log, c.said, false), 1);
            } else {
                EXPECT_TRUE(log.warnings.empty());
            }
            // The sanitizers' builds watch every byte read and keep what is
            // freed a while: they check what is refused, not its cost.
            if (!platform::graphics::kSanitizedBuild) {
                EXPECT_LT(spent, 2.0);
                if (measuresMemory) {
                    EXPECT_LT(testsupport::peakResidentBytes() - before, 512 * megabyte);
                }
            }
        }
    }
}

// A stored file is read where it lies in the package's bytes, not copied.
TEST_F(PackageImageReading, AStoredImageFileIsReadWhereItLies) {
    const std::string content(1 << 20, 's');
    PackageArchive archive(zipped({TestEntry::file("images/stored.png", content)}, true), ExtractionLimits{});
    const std::vector<PackageArchive::File> files = archive.filesIn("images");
    ASSERT_EQ(files.size(), 1u);
    const PackageArchive::FileBytes read = archive.read(files[0].recordOffset);
    ASSERT_EQ(read.bytes.size(), content.size());
    EXPECT_TRUE(std::equal(read.bytes.begin(), read.bytes.end(), content.begin()));
    // Within the archive's bytes, which hold its headers besides.
    EXPECT_GT(read.holder->size(), content.size());
    EXPECT_GT(read.bytes.data(), read.holder->data());
    EXPECT_LE(read.bytes.data() + read.bytes.size(), read.holder->data() + read.holder->size());
}
