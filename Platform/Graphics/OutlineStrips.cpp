#include "Platform/Graphics/OutlineStrips.h"

#include FT_OUTLINE_H

#include <algorithm>
#include <vector>

#include "Platform/Graphics/ProcessorDeadline.h"

namespace platform::graphics {

namespace {

// The pieces of an outline that reach one strip's rows, as an outline.
struct Strip {
    std::vector<FT_Vector> points;
    std::vector<char> tags;
    std::vector<short> contours;
    // The contour of the whole outline that the strip's last contour is of.
    int contour = -1;
    // The longest run of cells in one row that a piece dealt to it leaves.
    double widestRun = 0;
};

std::vector<Strip>& threadStrips() {
    thread_local std::vector<Strip> strips;
    return strips;
}

// Fewer points than this are walked again more cheaply than cut into strips.
constexpr int pointsWorthStrips = 128;
// The most points FreeType's outlines hold.
constexpr std::size_t mostPoints = 32767;
// A piece reaching many strips is dealt to each: past this many points dealt
// for each point of the outline, and this many besides (pieces from top to
// bottom of a tall box, thousands of them), the outline goes in one call, as
// FreeType walks it, rather than in copies.
constexpr std::size_t pointsDealtPerPoint = 4;
constexpr std::size_t pointsDealtBesides = 1 << 16;

// The scan converter keeps each row's cells in a list in order along the
// row, which it walks from the start for every cell it adds: a piece that
// runs from left to right along a row, more than a hundred pixels within a
// row or two (the flat edge of a shape, the foot of a glyph), costs it the
// square of its length. (From right to left, each cell goes to the front.)
// A strip holding a piece that runs further than this many pixels so is
// rendered in columns this wide, which cuts each row of cells down to a
// column's; each column walks the strip's pieces again, so the columns are
// not made narrower than the walk repays.
constexpr double crowdedRun = 128;
constexpr int columnWidth = 64;

// The most pixels along a row that the cells of a piece from `from` to `to`
// within this box run from left to right: its width over the rows it spans
// (26.6 fixed point), or none when it ends left of where it starts.
double rowRun(const FT_Vector& from, const FT_Vector& to, FT_Pos minX, FT_Pos maxX, FT_Pos minY, FT_Pos maxY) {
    if (to.x <= from.x) return 0;
    return static_cast<double>(maxX - minX) / static_cast<double>(std::max<FT_Pos>(maxY - minY, 64));
}

// Whether a piece of the outline (a line, or a curve within its control
// points) runs further from left to right along a row than crowdedRun.
bool crowded(const FT_Outline& outline) {
    int first = 0;
    for (int contour = 0; contour < outline.n_contours; ++contour) {
        const int last = outline.contours[contour];
        if (last < first || last >= outline.n_points) return false;
        FT_Vector from = outline.points[first];
        FT_Pos minX = from.x, maxX = from.x, minY = from.y, maxY = from.y;
        for (int i = first + 1; i <= last + 1; ++i) {
            // The point after the last is the contour's start again.
            const FT_Vector& point = outline.points[i > last ? first : i];
            minX = std::min(minX, point.x);
            maxX = std::max(maxX, point.x);
            minY = std::min(minY, point.y);
            maxY = std::max(maxY, point.y);
            if (i <= last && FT_CURVE_TAG(outline.tags[i]) != FT_CURVE_TAG_ON) continue;  // a control
            if (rowRun(from, point, minX, maxX, minY, maxY) >= crowdedRun) return true;
            from = point;
            minX = maxX = point.x;
            minY = maxY = point.y;
        }
        first = last + 1;
    }
    return false;
}

bool operator!=(const FT_Vector& a, const FT_Vector& b) { return a.x != b.x || a.y != b.y; }

// Deals the pieces of an outline out to the strips whose rows they reach.
class Dealer {
public:
    Dealer(std::vector<Strip>& strips, int count, const FT_BBox& clip, std::size_t budget)
        : strips_(strips), count_(count), top_(clip.yMin), bottom_(clip.yMax), budget_(budget) {}

    void beginContour(int contour) {
        contour_ = contour;
        touched_.clear();
    }

    // A piece from `from` through `count` further points with their tags.
    void add(const FT_Vector& from, const FT_Vector* points, const char* tags, int count) {
        FT_Pos minX = from.x, maxX = from.x, minY = from.y, maxY = from.y;
        for (int i = 0; i < count; ++i) {
            minX = std::min(minX, points[i].x);
            maxX = std::max(maxX, points[i].x);
            minY = std::min(minY, points[i].y);
            maxY = std::max(maxY, points[i].y);
        }
        const double run = rowRun(from, points[count - 1], minX, maxX, minY, maxY);
        const long firstRow = std::max<long>(minY >> 6, top_), lastRow = std::min<long>(maxY >> 6, bottom_ - 1);
        if (firstRow > lastRow) return;  // above or below every strip
        const int first = static_cast<int>((firstRow - top_) / OutlineStrips::stripRows);
        const int last = std::min(count_ - 1, static_cast<int>((lastRow - top_) / OutlineStrips::stripRows));
        for (int s = first; s <= last; ++s) {
            Strip& strip = strips_[static_cast<std::size_t>(s)];
            if (strip.contour != contour_) {
                strip.contour = contour_;
                touched_.push_back(s);
                strip.points.push_back(from);
                strip.tags.push_back(FT_CURVE_TAG_ON);
            } else if (strip.points.back() != from) {
                // What the contour did away from the strip lies wholly above
                // or wholly below it, and so does the line that stands for it.
                strip.points.push_back(from);
                strip.tags.push_back(FT_CURVE_TAG_ON);
            }
            // Only the rows of the strip that the piece passes through hold its cells.
            const FT_Pos stripTop = (top_ + static_cast<long>(s) * OutlineStrips::stripRows) * 64;
            if (maxY > stripTop && minY < stripTop + OutlineStrips::stripRows * 64) {
                strip.widestRun = std::max(strip.widestRun, run);
            }
            strip.points.insert(strip.points.end(), points, points + count);
            strip.tags.insert(strip.tags.end(), tags, tags + count);
            dealt_ += static_cast<std::size_t>(count) + 1;
        }
    }

    bool overBudget() const { return dealt_ > budget_; }

    void endContour() {
        for (const int s : touched_) {
            Strip& strip = strips_[static_cast<std::size_t>(s)];
            strip.contours.push_back(static_cast<short>(std::min(strip.points.size() - 1, mostPoints)));
        }
    }

private:
    std::vector<Strip>& strips_;
    int count_;
    long top_, bottom_;
    std::size_t budget_;
    int contour_ = -1;
    std::vector<int> touched_;
    std::size_t dealt_ = 0;
};

}  // namespace

FT_Error OutlineStrips::render(FT_Library library, const FT_Outline& outline, const FT_Raster_Params& params) {
    FT_Outline whole = outline;
    FT_Raster_Params wholeParams = params;
    wholeParams.source = &whole;
    const auto renderWhole = [&] { return FT_Outline_Render(library, &whole, &wholeParams); };
    const FT_BBox clip = params.clip_box;
    const long rows = clip.yMax - clip.yMin;
    if ((params.flags & FT_RASTER_FLAG_CLIP) == 0 || outline.n_contours <= 0 || rows <= 0) return renderWhole();
    // A crowded outline is cut into strips however few its points, so that
    // only the strips it crowds are rendered in columns.
    const bool columns = clip.xMax - clip.xMin > columnWidth && crowded(outline);
    if (!columns && (rows <= 2 * stripRows || outline.n_points < pointsWorthStrips)) return renderWhole();
    const int count = static_cast<int>((rows + stripRows - 1) / stripRows);
    std::vector<Strip>& strips = threadStrips();
    if (strips.size() < static_cast<std::size_t>(count)) strips.resize(static_cast<std::size_t>(count));
    for (int s = 0; s < count; ++s) {
        Strip& strip = strips[static_cast<std::size_t>(s)];
        strip.points.clear();
        strip.tags.clear();
        strip.contours.clear();
        strip.contour = -1;
        strip.widestRun = 0;
    }
    Dealer dealer(strips, count, clip,
                  pointsDealtPerPoint * static_cast<std::size_t>(outline.n_points) + pointsDealtBesides);
    const auto tag = [&](int i) { return FT_CURVE_TAG(outline.tags[i]); };
    int first = 0;
    for (int contour = 0; contour < outline.n_contours; ++contour) {
        const int last = outline.contours[contour];
        if (last < first || last >= outline.n_points || tag(first) != FT_CURVE_TAG_ON) return renderWhole();
        dealer.beginContour(contour);
        const FT_Vector start = outline.points[first];
        FT_Vector at = start;
        int i = first + 1;
        while (i <= last) {
            if (tag(i) == FT_CURVE_TAG_ON) {
                dealer.add(at, &outline.points[i], &outline.tags[i], 1);
                at = outline.points[i];
                ++i;
            } else if (tag(i) == FT_CURVE_TAG_CUBIC && i + 1 <= last && tag(i + 1) == FT_CURVE_TAG_CUBIC) {
                // Two controls, then a point on the curve, or the start.
                if (i + 2 <= last && tag(i + 2) != FT_CURVE_TAG_ON) return renderWhole();
                const FT_Vector piece[3] = {outline.points[i], outline.points[i + 1],
                                            i + 2 <= last ? outline.points[i + 2] : start};
                const char tags[3] = {FT_CURVE_TAG_CUBIC, FT_CURVE_TAG_CUBIC, FT_CURVE_TAG_ON};
                dealer.add(at, piece, tags, 3);
                at = piece[2];
                i += 3;
            } else {
                return renderWhole();  // a conic arc, or a control alone
            }
            if (dealer.overBudget()) return renderWhole();
        }
        // The line that closes the contour is a piece like any other.
        if (at != start) {
            const char on = FT_CURVE_TAG_ON;
            dealer.add(at, &start, &on, 1);
        }
        dealer.endContour();
        first = last + 1;
    }
    for (int s = 0; s < count; ++s) {
        const Strip& strip = strips[static_cast<std::size_t>(s)];
        if (strip.points.size() > mostPoints || strip.contours.size() > mostPoints) return renderWhole();
    }
    const bool stripsPay = rows > 2 * stripRows && outline.n_points >= pointsWorthStrips;
    const auto crowds = [&](int s) { return columns && strips[static_cast<std::size_t>(s)].widestRun >= crowdedRun; };
    for (int s = 0; s < count;) {
        // Past the deadline of the drawing under way, the rest is left out
        // (its spans are refused as they come, but the strips still cost).
        if (ProcessorDeadline::checkCurrent(0)) return 0;
        if (!stripsPay && !crowds(s)) {
            // An outline of few points is walked again more cheaply than
            // dealt: the strips it does not crowd go in one call of the
            // whole outline, over their rows.
            int end = s + 1;
            while (end < count && !crowds(end)) ++end;
            wholeParams.clip_box.yMin = clip.yMin + s * stripRows;
            wholeParams.clip_box.yMax = std::min<FT_Pos>(clip.yMax, clip.yMin + end * stripRows);
            if (const FT_Error error = renderWhole(); error != 0) return error;
            s = end;
            continue;
        }
        Strip& strip = strips[static_cast<std::size_t>(s)];
        if (strip.contours.empty()) {
            ++s;
            continue;
        }
        FT_Outline part{};
        part.n_contours = static_cast<short>(strip.contours.size());
        part.n_points = static_cast<short>(strip.points.size());
        part.points = strip.points.data();
        part.tags = strip.tags.data();
        part.contours = strip.contours.data();
        part.flags = outline.flags;
        FT_Raster_Params partParams = params;
        partParams.source = &part;
        partParams.clip_box.yMin = clip.yMin + s * stripRows;
        partParams.clip_box.yMax = std::min<FT_Pos>(clip.yMax, clip.yMin + (s + 1) * stripRows);
        // Cells left of a column are gathered into one just left of it, and
        // those right of it are dropped: each column's rows get the spans
        // one call gives them there.
        const FT_Pos step = crowds(s) ? columnWidth : clip.xMax - clip.xMin;
        for (FT_Pos x = clip.xMin; x < clip.xMax && !ProcessorDeadline::checkCurrent(0); x += step) {
            partParams.clip_box.xMin = x;
            partParams.clip_box.xMax = std::min<FT_Pos>(clip.xMax, x + step);
            if (const FT_Error error = FT_Outline_Render(library, &part, &partParams); error != 0) return error;
        }
        ++s;
    }
    return 0;
}

void OutlineStrips::releaseThreadStorage() { std::vector<Strip>().swap(threadStrips()); }

}  // namespace platform::graphics
