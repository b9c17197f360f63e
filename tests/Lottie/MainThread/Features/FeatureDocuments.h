#pragma once
// Shape items and layers written by hand for the tests of gradients, path
// modifiers, masks, mattes, shadows and images: each returns the JSON text of
// one item or layer, to be put into documents with MainThreadTestSupport.

#include <string>

namespace featuretest {

std::string number(double value);
// A rectangle centred on (x, y).
std::string rect(double x, double y, double width, double height, double radius = 0);
// An ellipse centred on (x, y).
std::string ellipse(double x, double y, double width, double height);
// A five-pointed star (type 1) centred on (50, 50) with sharp corners.
std::string star(double outerRadius, double innerRadius);
// An open straight path through the points "[[x,y],...]" (no handles).
std::string openPath(const std::string& points);
// A closed straight path through the points.
std::string closedPath(const std::string& points);
// A solid stroke of r, g, b with butt caps and miter joins.
std::string stroke(double width, double r = 0, double g = 0, double b = 1);
// A gradient fill from (sx, sy) to (ex, ey); `stops` is the flat stop list.
std::string gradientFill(int type, double sx, double sy, double ex, double ey, int colorCount,
                         const std::string& stops, int fillRule = 1);
std::string gradientStroke(int type, double sx, double sy, double ex, double ey, int colorCount,
                           const std::string& stops, double width);
// A trim of start and end in percent, offset in degrees; mode 1 simultaneously, 2 individually.
std::string trim(double start, double end, double offset, int mode);
std::string roundedCorners(double radius);
std::string group(const std::string& items);
// A mask of mode "a", "s", "i", ... over a closed path.
std::string mask(const std::string& mode, const std::string& path, double opacity = 100, bool inverted = false);
// A document of one shape layer holding the items; `extra` adds members to the layer.
std::string shapeDocument(const std::string& items, const std::string& extra = "", int size = 100);

}  // namespace featuretest
