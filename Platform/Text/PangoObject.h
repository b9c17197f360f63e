#pragma once
// Owning handles for the Pango and GLib objects the text module keeps, so that a
// layout or context is released exactly once whoever drops it last.

#include <glib-object.h>

#include <memory>

namespace platform::text {

struct GObjectRelease {
    void operator()(void* object) const {
        if (object != nullptr) {
            g_object_unref(object);
        }
    }
};

template <typename T>
using GObjectPointer = std::unique_ptr<T, GObjectRelease>;

template <typename T>
std::shared_ptr<T> sharedGObject(T* object) {
    return std::shared_ptr<T>(object, GObjectRelease{});
}

}  // namespace platform::text
