// Rendering in strips against FreeType's one call: outlines of lines and
// curves, several contours, both fill rules, reaching past the box on every
// side, must give every row exactly the same coverage, also where flat
// pieces crowd rows and those rows are rendered in columns.

#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <cmath>
#include <random>
#include <vector>

#include "Platform/Graphics/OutlineStrips.h"

namespace platform::graphics {
namespace {

struct TestOutline {
    std::vector<FT_Vector> points;
    std::vector<char> tags;
    std::vector<short> contours;
    bool evenOdd = false;

    void add(double x, double y, char tag) {
        points.push_back({std::lround(x * 64), std::lround(y * 64)});
        tags.push_back(tag);
    }
    void close() { contours.push_back(static_cast<short>(points.size() - 1)); }
    FT_Outline view() {
        return {static_cast<short>(contours.size()), static_cast<short>(points.size()), points.data(), tags.data(),
                contours.data(), evenOdd ? FT_OUTLINE_EVEN_ODD_FILL : FT_OUTLINE_NONE};
    }
};

// Coverage over the box as written by spans, with a count of the calls.
struct Coverage {
    FT_BBox box;
    std::vector<int> levels;
    int calls = 0;

    explicit Coverage(FT_BBox b)
        : box(b), levels(static_cast<std::size_t>((b.xMax - b.xMin) * (b.yMax - b.yMin)), 0) {}

    static void take(int y, int count, const FT_Span* spans, void* user) {
        auto& self = *static_cast<Coverage*>(user);
        ++self.calls;
        ASSERT_GE(y, self.box.yMin);
        ASSERT_LT(y, self.box.yMax);
        for (int i = 0; i < count; ++i) {
            for (int x = spans[i].x; x < spans[i].x + spans[i].len; ++x) {
                ASSERT_GE(x, self.box.xMin);
                ASSERT_LT(x, self.box.xMax);
                self.levels[static_cast<std::size_t>((y - self.box.yMin) * (self.box.xMax - self.box.xMin) + x -
                                                     self.box.xMin)] = spans[i].coverage;
            }
        }
    }
};

Coverage render(TestOutline& outline, FT_BBox box, bool inStrips) {
    FT_Library library = nullptr;
    EXPECT_EQ(FT_Init_FreeType(&library), 0);
    Coverage coverage(box);
    FT_Outline view = outline.view();
    FT_Raster_Params params{};
    params.source = &view;
    params.flags = FT_RASTER_FLAG_AA | FT_RASTER_FLAG_DIRECT | FT_RASTER_FLAG_CLIP;
    params.gray_spans = Coverage::take;
    params.user = &coverage;
    params.clip_box = box;
    EXPECT_EQ(inStrips ? OutlineStrips::render(library, view, params) : FT_Outline_Render(library, &view, &params), 0);
    FT_Done_FreeType(library);
    return coverage;
}

TEST(OutlineStrips, EveryRowGetsWhatOneCallGivesIt) {
    std::mt19937 random(1209);
    std::uniform_real_distribution<double> coordinate(-60, 330);
    int split = 0;
    for (int round = 0; round < 40; ++round) {
        TestOutline outline;
        outline.evenOdd = round % 2 == 1;
        const int contours = 1 + round % 4;
        for (int c = 0; c < contours; ++c) {
            outline.add(coordinate(random), coordinate(random), FT_CURVE_TAG_ON);
            const int pieces = 20 + (round * 7 + c * 13) % 90;
            for (int i = 0; i < pieces; ++i) {
                if ((i + round) % 3 == 0) {
                    outline.add(coordinate(random), coordinate(random), FT_CURVE_TAG_CUBIC);
                    outline.add(coordinate(random), coordinate(random), FT_CURVE_TAG_CUBIC);
                    // Now and then the last curve ends at the contour's start.
                    if (i + 1 < pieces || round % 5 != 0) {
                        outline.add(coordinate(random), coordinate(random), FT_CURVE_TAG_ON);
                    }
                } else {
                    outline.add(coordinate(random), coordinate(random), FT_CURVE_TAG_ON);
                }
            }
            outline.close();
        }
        // Boxes of many strips, one whose last strip is short, and one too
        // short for strips at all.
        for (const FT_BBox& box : {FT_BBox{0, 0, 270, 270}, FT_BBox{13, 41, 200, 250}, FT_BBox{0, 100, 270, 160}}) {
            const Coverage whole = render(outline, box, false);
            const Coverage strips = render(outline, box, true);
            EXPECT_EQ(whole.levels, strips.levels) << "round " << round << ", box from row " << box.yMin;
            split += strips.calls > 0 && outline.points.size() >= 128 && box.yMax - box.yMin > 64;
        }
    }
    EXPECT_GT(split, 20) << "too few outlines were cut into strips to tell";
}

TEST(OutlineStrips, CrowdedRowsGetWhatOneCallGivesIt) {
    // Outlines of few points and of many, with pieces running far from left
    // to right (and back) within a row or two: flat edges and flat curves,
    // some starting or ending on a row's or a column's edge.
    std::mt19937 random(1208);
    std::uniform_real_distribution<double> coordinate(-60, 330);
    std::uniform_real_distribution<double> rise(-1.5, 1.5);
    std::uniform_int_distribution<int> length(100, 380);
    int columned = 0;
    for (int round = 0; round < 40; ++round) {
        TestOutline outline;
        outline.evenOdd = round % 2 == 0;
        const int contours = 1 + round % 3;
        for (int c = 0; c < contours; ++c) {
            double x = coordinate(random), y = round % 4 == 0 ? std::round(coordinate(random)) : coordinate(random);
            outline.add(x, y, FT_CURVE_TAG_ON);
            const int pieces = round < 20 ? 3 + round % 5 : 60 + round % 50;
            for (int i = 0; i < pieces; ++i) {
                if ((i + c) % 2 == 0) {
                    // Along a row, to the right or to the left.
                    const double run = (i + round) % 3 == 0 ? -length(random) : length(random);
                    if ((i + round) % 4 == 0) {
                        outline.add(x + run / 3, y + rise(random), FT_CURVE_TAG_CUBIC);
                        outline.add(x + 2 * run / 3, y + rise(random), FT_CURVE_TAG_CUBIC);
                    }
                    x += run;
                    y += rise(random);
                } else {
                    x = coordinate(random);
                    y = coordinate(random);
                }
                outline.add(x, y, FT_CURVE_TAG_ON);
            }
            outline.close();
        }
        for (const FT_BBox& box : {FT_BBox{0, 0, 270, 270}, FT_BBox{13, 41, 200, 250}, FT_BBox{-20, 100, 300, 150}}) {
            const Coverage whole = render(outline, box, false);
            const Coverage parts = render(outline, box, true);
            EXPECT_EQ(whole.levels, parts.levels) << "round " << round << ", box from row " << box.yMin;
            // Each column hands its rows over in calls of their own.
            columned += parts.calls > whole.calls + (box.yMax - box.yMin) / 2;
        }
    }
    EXPECT_GT(columned, 30) << "too few outlines were rendered in columns to tell";
}

}  // namespace
}  // namespace platform::graphics
