#include "Platform/Compositor/AnimatableValue.h"

#include <cmath>
#include <span>
#include <sstream>
#include <type_traits>

#include "Platform/Compositor/TransformDecomposition.h"
#include "Platform/Graphics/HashCombine.h"

namespace platform::compositor {

using graphics::Color;
using graphics::Path;
using graphics::PathElement;
using graphics::Point;
using graphics::Rect;
using graphics::Size;
using graphics::Transform3D;

namespace {

double mix(double a, double b, double t) { return a + (b - a) * t; }

Point mixPoints(Point a, Point b, double t) { return {mix(a.x, b.x, t), mix(a.y, b.y, t)}; }

Color mixColors(const Color& a, const Color& b, double t) {
    if (a.colorSpace() == b.colorSpace()) {
        std::array<double, 4> components{};
        const auto ca = a.components();
        const auto cb = b.components();
        for (std::size_t i = 0; i < ca.size(); ++i) {
            components[i] = mix(ca[i], cb[i], t);
        }
        return *Color::make(a.colorSpace(), std::span<const double>(components.data(), ca.size()));
    }
    // Colours of different spaces meet in RGB.
    const auto ra = a.rgba();
    const auto rb = b.rgba();
    return Color::rgb(mix(ra[0], rb[0], t), mix(ra[1], rb[1], t), mix(ra[2], rb[2], t), mix(ra[3], rb[3], t));
}

std::optional<Path> mixPaths(const Path& a, const Path& b, double t) {
    const auto& ea = a.elements();
    const auto& eb = b.elements();
    if (ea.size() != eb.size()) {
        return std::nullopt;
    }
    Path result;
    for (std::size_t i = 0; i < ea.size(); ++i) {
        if (ea[i].type != eb[i].type) {
            return std::nullopt;
        }
        PathElement element = ea[i];
        for (int p = 0; p < element.pointCount(); ++p) {
            element.points[p] = mixPoints(ea[i].points[p], eb[i].points[p], t);
        }
        result.append(element);
    }
    return result;
}

Transform3D mixTransforms(const Transform3D& a, const Transform3D& b, double t) {
    if (a == b) {
        return a;
    }
    return TransformDecomposition::interpolate(TransformDecomposition::of(a), TransformDecomposition::of(b), t)
        .matrix();
}

}  // namespace

AnimatableValue::AnimatableValue(std::shared_ptr<const graphics::Path> path)
    : storage_(path ? Boxed<Path>{std::move(path)} : boxed(Path())) {}

std::shared_ptr<const graphics::Path> AnimatableValue::sharedPath() const {
    const Boxed<Path>* box = std::get_if<Boxed<Path>>(&storage_);
    return box ? box->value : nullptr;
}

std::optional<double> AnimatableValue::number() const {
    if (const double* value = get<double>()) {
        return *value;
    }
    if (const bool* value = get<bool>()) {
        return *value ? 1.0 : 0.0;
    }
    return std::nullopt;
}

std::optional<bool> AnimatableValue::boolean() const {
    if (const bool* value = get<bool>()) {
        return *value;
    }
    if (const double* value = get<double>()) {
        return *value != 0;
    }
    return std::nullopt;
}

std::optional<AnimatableValue> AnimatableValue::interpolate(const AnimatableValue& from, const AnimatableValue& to,
                                                            double t) {
    if (from.kind() != to.kind()) {
        return std::nullopt;
    }
    switch (from.kind()) {
        case Kind::number:
            return AnimatableValue(mix(*from.get<double>(), *to.get<double>(), t));
        case Kind::point:
            return AnimatableValue(mixPoints(*from.get<Point>(), *to.get<Point>(), t));
        case Kind::size: {
            const Size a = *from.get<Size>();
            const Size b = *to.get<Size>();
            return AnimatableValue(Size(mix(a.width, b.width, t), mix(a.height, b.height, t)));
        }
        case Kind::rect: {
            const Rect a = *from.get<Rect>();
            const Rect b = *to.get<Rect>();
            return AnimatableValue(Rect(mix(a.origin.x, b.origin.x, t), mix(a.origin.y, b.origin.y, t),
                                        mix(a.size.width, b.size.width, t), mix(a.size.height, b.size.height, t)));
        }
        case Kind::color:
            return AnimatableValue(mixColors(*from.get<Color>(), *to.get<Color>(), t));
        case Kind::path: {
            // A path held the same from one key time to the next (a still
            // shape under a moving trim) is shared, not blended into a copy
            // of all its elements every frame.
            if (from.sharedPath() == to.sharedPath()) {
                return from;
            }
            std::optional<Path> path = mixPaths(*from.get<Path>(), *to.get<Path>(), t);
            if (!path) {
                return std::nullopt;
            }
            return AnimatableValue(std::move(*path));
        }
        case Kind::numbers: {
            const auto& a = *from.get<std::vector<double>>();
            const auto& b = *to.get<std::vector<double>>();
            if (a.size() != b.size()) {
                return std::nullopt;
            }
            std::vector<double> result(a.size());
            for (std::size_t i = 0; i < a.size(); ++i) {
                result[i] = mix(a[i], b[i], t);
            }
            return AnimatableValue(std::move(result));
        }
        case Kind::colors: {
            const auto& a = *from.get<std::vector<Color>>();
            const auto& b = *to.get<std::vector<Color>>();
            if (a.size() != b.size()) {
                return std::nullopt;
            }
            std::vector<Color> result;
            result.reserve(a.size());
            for (std::size_t i = 0; i < a.size(); ++i) {
                result.push_back(mixColors(a[i], b[i], t));
            }
            return AnimatableValue(std::move(result));
        }
        case Kind::transform:
            return AnimatableValue(mixTransforms(*from.get<Transform3D>(), *to.get<Transform3D>(), t));
        case Kind::boolean:
        case Kind::image:
            return std::nullopt;
    }
    return std::nullopt;
}

AnimatableValue AnimatableValue::blend(const AnimatableValue& from, const AnimatableValue& to, double fraction) {
    if (fraction == 0) {
        return from;
    }
    if (fraction == 1) {
        return to;
    }
    // A timing curve that overshoots gives fractions beyond 0 and 1, which carry
    // values that interpolate past their ends; the others hold one end.
    if (std::optional<AnimatableValue> value = interpolate(from, to, fraction)) {
        return std::move(*value);
    }
    return fraction < 1 ? from : to;
}

std::optional<AnimatableValue> AnimatableValue::add(const AnimatableValue& base, const AnimatableValue& delta) {
    if (base.kind() != delta.kind()) {
        return std::nullopt;
    }
    if (base.kind() == Kind::transform) {
        return AnimatableValue(Transform3D::concat(*delta.get<Transform3D>(), *base.get<Transform3D>()));
    }
    if (base.kind() == Kind::color) {
        const auto a = base.get<Color>()->rgba();
        const auto b = delta.get<Color>()->rgba();
        return AnimatableValue(Color::rgb(a[0] + b[0], a[1] + b[1], a[2] + b[2], a[3] + b[3]));
    }
    if (base.kind() == Kind::boolean) {
        return std::nullopt;
    }
    std::optional<std::vector<double>> a = base.components();
    std::optional<std::vector<double>> b = delta.components();
    if (!a || !b || a->size() != b->size()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < a->size(); ++i) {
        (*a)[i] += (*b)[i];
    }
    return withComponents(base, *a);
}

std::optional<std::vector<double>> AnimatableValue::components() const {
    switch (kind()) {
        case Kind::number:
            return std::vector<double>{*get<double>()};
        case Kind::boolean:
            return std::vector<double>{*get<bool>() ? 1.0 : 0.0};
        case Kind::point:
            return std::vector<double>{get<Point>()->x, get<Point>()->y};
        case Kind::size:
            return std::vector<double>{get<Size>()->width, get<Size>()->height};
        case Kind::rect: {
            const Rect r = *get<Rect>();
            return std::vector<double>{r.origin.x, r.origin.y, r.size.width, r.size.height};
        }
        case Kind::color: {
            const auto c = get<Color>()->rgba();
            return std::vector<double>(c.begin(), c.end());
        }
        case Kind::numbers:
            return *get<std::vector<double>>();
        default:
            return std::nullopt;
    }
}

std::optional<AnimatableValue> AnimatableValue::withComponents(const AnimatableValue& shape,
                                                               const std::vector<double>& c) {
    std::optional<std::vector<double>> own = shape.components();
    if (!own || own->size() != c.size()) {
        return std::nullopt;
    }
    switch (shape.kind()) {
        case Kind::number:
            return AnimatableValue(c[0]);
        case Kind::boolean:
            return AnimatableValue(c[0] != 0);
        case Kind::point:
            return AnimatableValue(Point(c[0], c[1]));
        case Kind::size:
            return AnimatableValue(Size(c[0], c[1]));
        case Kind::rect:
            return AnimatableValue(Rect(c[0], c[1], c[2], c[3]));
        case Kind::color:
            return AnimatableValue(Color::rgb(c[0], c[1], c[2], c[3]));
        case Kind::numbers:
            return AnimatableValue(c);
        default:
            return std::nullopt;
    }
}

std::optional<double> AnimatableValue::distance(const AnimatableValue& from, const AnimatableValue& to) {
    if (from.kind() != to.kind()) {
        return std::nullopt;
    }
    std::optional<std::vector<double>> a = from.components();
    std::optional<std::vector<double>> b = to.components();
    if (!a || !b || a->size() != b->size()) {
        return std::nullopt;
    }
    double sum = 0;
    for (std::size_t i = 0; i < a->size(); ++i) {
        const double d = (*b)[i] - (*a)[i];
        sum += d * d;
    }
    return std::sqrt(sum);
}

std::size_t pathHash(const graphics::Path& path) {
    std::size_t seed = 0;
    for (const graphics::PathElement& element : path.elements()) {
        graphics::hashCombine(seed, static_cast<std::size_t>(element.type));
        for (int i = 0; i < element.pointCount(); ++i) {
            graphics::hashCombine(seed, std::hash<graphics::Point>{}(element.points[static_cast<std::size_t>(i)]));
        }
    }
    return seed;
}

std::size_t AnimatableValue::hash() const {
    using graphics::hashCombine;
    std::size_t seed = storage_.index();
    const auto combineDoubles = [&seed](std::span<const double> numbers) {
        for (double number : numbers) hashCombine(seed, graphics::hashDouble(number));
    };
    std::visit(
        [&](const auto& stored) {
            const auto& value = [&stored]() -> const auto& {
                if constexpr (requires { stored.value; }) {
                    return *stored.value;
                } else {
                    return stored;
                }
            }();
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, Path>) {
                hashCombine(seed, pathHash(value));
            } else if constexpr (std::is_same_v<T, Color>) {
                combineDoubles(value.components());
            } else if constexpr (std::is_same_v<T, std::vector<double>>) {
                combineDoubles(value);
            } else if constexpr (std::is_same_v<T, std::vector<Color>>) {
                for (const Color& color : value) combineDoubles(color.components());
            } else if constexpr (std::is_same_v<T, double>) {
                hashCombine(seed, graphics::hashDouble(value));
            } else {
                hashCombine(seed, std::hash<T>{}(value));
            }
        },
        storage_);
    return seed;
}

std::string AnimatableValue::description() const {
    std::ostringstream out;
    switch (kind()) {
        case Kind::number:
            out << *get<double>();
            break;
        case Kind::boolean:
            out << (*get<bool>() ? "true" : "false");
            break;
        case Kind::point:
            out << "(" << get<Point>()->x << ", " << get<Point>()->y << ")";
            break;
        case Kind::path:
            out << "path of " << get<Path>()->elements().size() << " elements";
            break;
        case Kind::transform: {
            out << "[";
            const auto rows = get<Transform3D>()->rows();
            for (std::size_t i = 0; i < rows.size(); ++i) {
                out << (i ? " " : "") << rows[i];
            }
            out << "]";
            break;
        }
        case Kind::image:
            out << (*get<ImageRef>() ? "image" : "no image");
            break;
        default: {
            out << "(";
            const std::vector<double> c = components().value_or(std::vector<double>{});
            for (std::size_t i = 0; i < c.size(); ++i) {
                out << (i ? ", " : "") << c[i];
            }
            out << ")";
            break;
        }
    }
    return out.str();
}

}  // namespace platform::compositor
