#pragma once
// A widget that hosts exactly one content widget, pinned to its four edges,
// and answers Qt's layout questions for it by a MeasurementContainerStrategy:
// take the size offered, take the content's intrinsic size (its sizeHint), or
// one axis each. The offers are the widths and heights Qt's questions carry
// (sizeHint: nothing offered; heightForWidth: a width), or a size handed to
// sizeThatFits() directly.
//
// Measuring is cached: the resolved strategy until the strategy changes or the
// intrinsic size is invalidated, the measured size until then or until the
// offer changes. Setting a value equal to the current one clears nothing. A
// host that changes what the content's size depends on (a new animation) calls
// invalidateIntrinsicContentSize(). The content always fills the container:
// the strategy decides only the size the container asks its layout for, never
// how the content sits inside it.
//
// Owns its content (a Qt child); owned by its Qt parent or its creator; main
// thread only.

#include <QWidget>
#include <optional>

#include "Lottie/Views/MeasurementContainerStrategy.h"

namespace lottie {

class MeasurementContainer : public QWidget {
    Q_OBJECT

public:
    // Takes `content` as its only child. Starts with a zero size.
    MeasurementContainer(QWidget* content, MeasurementContainerStrategy strategy, QWidget* parent = nullptr);

    QWidget* content() const { return content_; }

    MeasurementContainerStrategy strategy() const { return strategy_; }
    void setStrategy(MeasurementContainerStrategy strategy);
    // The size offered; an absent dimension is negative (noIntrinsicMetric).
    platform::graphics::Size proposedSize() const { return proposedSize_; }
    void setProposedSize(platform::graphics::Size size);
    // The size the content takes for the current offer, measured once per offer.
    platform::graphics::Size measuredFittingSize();
    // Offers a size (a missing dimension is absent) and answers with the measured size.
    platform::graphics::Size sizeThatFits(std::optional<double> width, std::optional<double> height);

    // What the last measurement kept of the content's intrinsic size (absent
    // dimensions included).
    platform::graphics::Size intrinsicContentSize() const { return intrinsicContentSize_; }
    // Drops the cached strategy and measurement, and tells Qt's layout.
    void invalidateIntrinsicContentSize();

    // The cached strategy, if resolved; measurements taken since the container
    // was made (a cache hit takes none).
    const std::optional<ResolvedMeasurementContainerStrategy>& resolvedStrategy() const { return resolvedStrategy_; }
    int measurementCount() const { return measurementCount_; }

    // Qt's questions. They are const, but answering one records the offer and
    // fills the caches, so that the next question with the same offer is
    // answered without measuring the content again.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    platform::graphics::Size contentIntrinsicSize() const;
    const ResolvedMeasurementContainerStrategy& resolveStrategy();
    platform::graphics::Size measure();
    platform::graphics::Size boundsSize() const;

    QWidget* content_;
    platform::graphics::Size proposedSize_{noIntrinsicMetric, noIntrinsicMetric};
    MeasurementContainerStrategy strategy_;
    platform::graphics::Size intrinsicContentSize_{noIntrinsicMetric, noIntrinsicMetric};
    std::optional<platform::graphics::Size> latestMeasurementBoundsSize_;
    std::optional<ResolvedMeasurementContainerStrategy> resolvedStrategy_;
    std::optional<platform::graphics::Size> measuredFittingSize_;
    int measurementCount_ = 0;
};

}  // namespace lottie
