#include "Lottie/Views/AnimationSubview.h"

namespace lottie {

AnimationSubview::AnimationSubview(QWidget* parent) : QWidget(parent) {}

}  // namespace lottie
