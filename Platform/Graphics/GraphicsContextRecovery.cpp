// Recovery of GraphicsContext from Cairo's error state. Cairo keeps an error
// once a context has one and ignores every later call on it, so a single
// drawing it cannot represent would otherwise lose everything drawn after it.
// The pixels are not lost: they live in the surface, which a new context can
// draw on.

#include <cairo.h>

#include <vector>

#include "Platform/Graphics/GraphicsContext.h"
#include "Platform/Graphics/GraphicsContextState.h"

namespace platform::graphics {

std::optional<std::string> GraphicsContext::recoverFromFailure() {
    const cairo_status_t status = cairo_status(cairo_);
    if (status == CAIRO_STATUS_SUCCESS) {
        return std::nullopt;
    }
    // Drawings handed over write the surface, which the fresh context shares.
    flushPending();
    std::string failure = cairo_status_to_string(status);
    cairo_t* fresh = cairo_create(surfaces_.back());
    if (cairo_status(fresh) != CAIRO_STATUS_SUCCESS) {
        // The surface itself failed (it could not be allocated): nothing can be drawn on it.
        cairo_destroy(fresh);
        return failure;
    }
    // The states of this context: from the start of the innermost open
    // transparency layer, whose context this is, or all of them.
    const std::size_t first = layerDepths_.empty() ? 0 : layerDepths_.back();
    for (std::size_t level = first; level < states_.size(); ++level) {
        // Cairo's own state was saved only for states that clip.
        if (level > first && states_[level].cairoSaved) {
            cairo_save(fresh);
        }
        const State& s = states_[level];
        std::vector<const DeviceClip*> made;
        const DeviceClip* before = level > first ? states_[level - 1].clips.get() : nullptr;
        for (const DeviceClip* clip = s.clips.get(); clip != nullptr && clip != before; clip = clip->previous.get()) {
            made.push_back(clip);
        }
        cairo_identity_matrix(fresh);
        for (auto clip = made.rbegin(); clip != made.rend(); ++clip) {
            cairo_new_path(fresh);
            cairo_append_path(fresh, (*clip)->path);
            cairo_set_fill_rule(fresh, (*clip)->rule);
            cairo_set_antialias(fresh, (*clip)->antialias);
            cairo_clip(fresh);
        }
        if (!s.degenerate) {
            const cairo_matrix_t matrix = toCairoMatrix(s.transform);
            cairo_set_matrix(fresh, &matrix);
        }
    }
    cairo_destroy(cairo_);
    cairo_ = fresh;
    ++contextChanges_;
    consumePath();
    return failure;
}

}  // namespace platform::graphics
