#pragma once
// The widget an application puts where a LottieView should show. Each call to
// apply() is one update: the first makes the hosted LottieAnimationView (in a
// MeasurementContainer, sized by the value's strategy), every call then runs
// the value's configuration against that same view, which applies only what
// differs. The host is what outlives the values: it keeps their lasting state
// (the loader's last result), starts the loader when it is first shown, reloads when the value's
// reload trigger changes, hides the hosted view and shows the placeholder
// while there is nothing to show, and re-applies the last value when a load
// delivers. While the value has a frame or progress binding, every display
// frame of the hosted view's link runs the value's configurations once more,
// which hands the presented frame to the binding while the animation plays; a frame reuses the bridge of the last update rather than build one.
//
// Loads: only the newest started load counts. A delivery from an older one
// (a slow first load overtaken by a reload) is dropped, as is a second
// delivery from the same load. Showing the host starts a load only while no
// load has delivered an animation and none is running: hiding and showing a
// loaded view again keeps its animation rather than loading it anew (a reload
// is asked for through the trigger). A load that failed or delivered nothing
// is tried again on the next showing. A load that delivers on another thread
// has the rendering layer of its animation built there, for the hosted view as
// it was when the load started (LottieView); the delivery's update offers it
// to the hosted view, which adopts it when it still suits.
//
// What an update sets up reports to the value's logger, also where the
// library looks up the shared one (LottieLogger::Scope).
//
// Owns the container, the hosted view and the placeholder (Qt children).
// Owned by its Qt parent or its creator; main thread only.

#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>

#include "Lottie/Views/LottieView.h"

namespace lottie {

class LottieViewHost : public QWidget {
    Q_OBJECT

public:
    explicit LottieViewHost(QWidget* parent = nullptr);
    ~LottieViewHost() override;

    // One update with a new description.
    void apply(const LottieView& view);

    // None before the first apply().
    LottieAnimationView* animationView() const;
    LottieView::Bridge::Container* container() const { return container_; }
    // The placeholder widget, when the value has one (made on first use).
    QWidget* placeholderWidget() const { return placeholder_; }
    // The loader's last result.
    const std::optional<LottieAnimationSource>& remoteAnimation() const { return remoteAnimation_; }
    // Whether the hosted view is shown (there is a source) rather than the placeholder.
    bool isShowingAnimation() const { return showingAnimation_; }
    // Loads started since the host was made.
    int loadsStarted() const { return static_cast<int>(loadGeneration_); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void loadAsynchronously();
    void reloadAnimation();
    void deliver(std::uint64_t generation, std::optional<LottieAnimationSource> source,
                 std::shared_ptr<PreparedRenderingLayer> prepared, std::exception_ptr error);
    // `prepared`: a rendering layer built ahead for a newly delivered animation.
    void update(std::shared_ptr<PreparedRenderingLayer> prepared = nullptr);
    // Runs the configurations of the last update's bridge against the hosted view.
    void runConfigurations();
    void placeChildren();

    std::optional<LottieView> view_;
    // The bridge of the last update, for the value and the loader's result then.
    std::shared_ptr<const LottieView::Bridge> bridge_;
    LottieView::Bridge::Container* container_ = nullptr;
    QWidget* placeholder_ = nullptr;
    std::optional<LottieAnimationSource> remoteAnimation_;
    bool showingAnimation_ = true;
    std::uint64_t loadGeneration_ = 0;
    bool loadRunning_ = false;
    bool loadedOnce_ = false;
    // The host is gone when a late delivery arrives.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace lottie
