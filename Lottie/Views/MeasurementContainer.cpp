#include "Lottie/Views/MeasurementContainer.h"

#include <QResizeEvent>
#include <cmath>

namespace lottie {

using platform::graphics::Size;
using Kind = ResolvedMeasurementContainerStrategy::Kind;

namespace {

bool isAbsent(double dimension) { return dimension < 0; }

int toPixels(double dimension) { return static_cast<int>(std::lround(std::max(0.0, dimension))); }

}  // namespace

MeasurementContainer::MeasurementContainer(QWidget* content, MeasurementContainerStrategy strategy, QWidget* parent)
    : QWidget(parent), content_(content), strategy_(strategy) {
    // A zero size until a layout places it: nothing is measured against an
    // arbitrary default size.
    resize(0, 0);
    content_->setParent(this);
    content_->setGeometry(rect());
    content_->show();
}

void MeasurementContainer::setStrategy(MeasurementContainerStrategy strategy) {
    if (strategy == strategy_) return;
    strategy_ = strategy;
    resolvedStrategy_.reset();
    measuredFittingSize_.reset();
    updateGeometry();
}

void MeasurementContainer::setProposedSize(Size size) {
    if (size == proposedSize_) return;
    proposedSize_ = size;
    measuredFittingSize_.reset();
}

Size MeasurementContainer::measuredFittingSize() {
    if (!measuredFittingSize_) measuredFittingSize_ = measure();
    return *measuredFittingSize_;
}

Size MeasurementContainer::sizeThatFits(std::optional<double> width, std::optional<double> height) {
    setProposedSize({width.value_or(noIntrinsicMetric), height.value_or(noIntrinsicMetric)});
    return measuredFittingSize();
}

void MeasurementContainer::invalidateIntrinsicContentSize() {
    updateGeometry();
    resolvedStrategy_.reset();
    measuredFittingSize_.reset();
}

Size MeasurementContainer::contentIntrinsicSize() const {
    // Qt marks a dimension without a value by a negative number; the strategy
    // resolution reads noIntrinsicMetric for it.
    const QSize hint = content_->sizeHint();
    return {hint.width() < 0 ? noIntrinsicMetric : hint.width(), hint.height() < 0 ? noIntrinsicMetric : hint.height()};
}

const ResolvedMeasurementContainerStrategy& MeasurementContainer::resolveStrategy() {
    if (!resolvedStrategy_) {
        resolvedStrategy_ = ResolvedMeasurementContainerStrategy::resolve(strategy_, contentIntrinsicSize());
    }
    return *resolvedStrategy_;
}

Size MeasurementContainer::boundsSize() const { return {static_cast<double>(width()), static_cast<double>(height())}; }

Size MeasurementContainer::measure() {
    ++measurementCount_;
    latestMeasurementBoundsSize_ = boundsSize();
    const ResolvedMeasurementContainerStrategy resolved = resolveStrategy();
    const Size target{isAbsent(proposedSize_.width) ? boundsSize().width : proposedSize_.width,
                      isAbsent(proposedSize_.height) ? boundsSize().height : proposedSize_.height};
    Size raw{noIntrinsicMetric, noIntrinsicMetric};
    switch (resolved.kind) {
        case Kind::proposed:
            break;
        case Kind::intrinsicHeightProposedWidth:
            raw.height = contentIntrinsicSize().height;
            break;
        case Kind::intrinsicWidthProposedHeight:
            raw.width = contentIntrinsicSize().width;
            break;
        case Kind::intrinsic: {
            // An offer smaller than the intrinsic size wins on that axis,
            // unless the last measurement already settled on exactly that
            // offer: then the content keeps its size there rather than
            // shrinking to it again.
            const auto axis = [](double offered, double targetValue, double intrinsic, double stored) {
                if (!isAbsent(offered) && targetValue < intrinsic && stored != offered) return noIntrinsicMetric;
                return intrinsic;
            };
            raw.width = axis(proposedSize_.width, target.width, resolved.intrinsicSize.width,
                             intrinsicContentSize_.width);
            raw.height = axis(proposedSize_.height, target.height, resolved.intrinsicSize.height,
                              intrinsicContentSize_.height);
            break;
        }
    }
    intrinsicContentSize_ = raw;
    return {isAbsent(raw.width) ? target.width : raw.width, isAbsent(raw.height) ? target.height : raw.height};
}

QSize MeasurementContainer::sizeHint() const {
    const Size size = const_cast<MeasurementContainer*>(this)->sizeThatFits(std::nullopt, std::nullopt);
    return {toPixels(size.width), toPixels(size.height)};
}

QSize MeasurementContainer::minimumSizeHint() const {
    // Offered nothing at all, an axis taken from the offer shrinks to zero and
    // an intrinsic axis of `intrinsic` gives way too; only the one-axis
    // strategies keep their intrinsic axis. Answered without recording an
    // offer, so that Qt asking this between two sizeHint() calls costs no
    // measurement.
    const Size content = contentIntrinsicSize();
    switch (const_cast<MeasurementContainer*>(this)->resolveStrategy().kind) {
        case Kind::intrinsicHeightProposedWidth:
            return {0, toPixels(content.height)};
        case Kind::intrinsicWidthProposedHeight:
            return {toPixels(content.width), 0};
        case Kind::proposed:
        case Kind::intrinsic:
            break;
    }
    return {0, 0};
}

bool MeasurementContainer::hasHeightForWidth() const {
    // Only where the height is the content's own does an answer for some
    // width mean anything apart from the container's current height.
    const Kind kind = const_cast<MeasurementContainer*>(this)->resolveStrategy().kind;
    return kind == Kind::intrinsic || kind == Kind::intrinsicHeightProposedWidth;
}

int MeasurementContainer::heightForWidth(int width) const {
    return toPixels(const_cast<MeasurementContainer*>(this)->sizeThatFits(width, std::nullopt).height);
}

void MeasurementContainer::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    content_->setGeometry(rect());
    // Qt's layout hears that the size changed since the last measurement; the
    // caches stay, as only a new offer or strategy makes them stale.
    if (latestMeasurementBoundsSize_ && *latestMeasurementBoundsSize_ != boundsSize()) QWidget::updateGeometry();
}

}  // namespace lottie
