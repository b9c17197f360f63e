#include "Platform/Graphics/DeviceClipShape.h"

#include <cairo.h>

namespace platform::graphics {

Rect DeviceClipShape::PathClip::bounds() const {
    Rect box = Rect::null();
    for (std::size_t index = 0; index < elements.size();) {
        const auto kind = static_cast<cairo_path_data_type_t>(elements[index++]);
        const std::size_t points = kind == CAIRO_PATH_CURVE_TO ? 3 : kind == CAIRO_PATH_CLOSE_PATH ? 0 : 1;
        for (std::size_t point = 0; point < points && index + 1 < elements.size(); ++point, index += 2) {
            const Rect at(elements[index], elements[index + 1], 0, 0);
            box = box.isNull() ? at : box.unionWith(at);
        }
    }
    return box;
}

Rect DeviceClipShape::bounds() const {
    Rect box = Rect::null();
    for (const Rect& rect : rectangles) box = box.isNull() ? rect : box.unionWith(rect);
    for (const PathClip& path : paths) {
        if (box.isNull()) break;
        const Rect reach = path.bounds();
        box = reach.isNull() ? Rect::null() : box.intersection(reach);
    }
    return box;
}

}  // namespace platform::graphics
