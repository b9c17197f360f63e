#pragma once
// A widget placed over one layer of an animation with
// LottieAnimationView::addAnimationSubview. It adds nothing to QWidget: it
// marks what the view keeps in place, so that anything an application puts
// inside it follows that layer as the animation moves it. Owned by the view
// (its Qt parent) once added; main thread only.

#include <QWidget>

namespace lottie {

class AnimationSubview : public QWidget {
    Q_OBJECT

public:
    explicit AnimationSubview(QWidget* parent = nullptr);
};

}  // namespace lottie
