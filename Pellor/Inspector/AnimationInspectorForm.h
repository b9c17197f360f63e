#pragma once
// The player window's inspector: "Animation Info" (size, duration, frame rate,
// start and end frame) and, for a document with a file, "File Info" (the path
// with a button that shows the file in the file manager, and the file size
// when it can be read). Read-only; the file size is read when the form is
// made. Owned by the player view, which makes a new form for each animation.

#include <QWidget>
#include <functional>
#include <memory>

#include "Lottie/Model/LottieAnimation.h"

class QAbstractButton;
class QFormLayout;
class QLabel;

namespace pellor {

class AnimationInspectorForm : public QWidget {
    Q_OBJECT

public:
    // What the path's button does with the path: show it in the file manager.
    using RevealFile = std::function<void(const QString& path)>;

    AnimationInspectorForm(std::shared_ptr<const lottie::LottieAnimation> animation, QString filePath,
                           RevealFile reveal, QWidget* parent = nullptr);

    // The section headers and rows in order, as (label, value) pairs; a
    // header has an empty value.
    QList<QPair<QString, QString>> rows() const;
    QAbstractButton* revealButton() const { return revealButton_; }

private:
    void addHeader(QFormLayout& form, const QString& text);
    QLabel* addRow(QFormLayout& form, const QString& label, const QString& value);

    QList<QPair<QString, QString>> rows_;
    QAbstractButton* revealButton_ = nullptr;
};

}  // namespace pellor
