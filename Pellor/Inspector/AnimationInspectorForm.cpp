#include "Pellor/Inspector/AnimationInspectorForm.h"

#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include "Pellor/Inspector/InspectorFormats.h"
#include "Pellor/Resources/ApplicationIcon.h"

namespace pellor {

AnimationInspectorForm::AnimationInspectorForm(std::shared_ptr<const lottie::LottieAnimation> animation,
                                               QString filePath, RevealFile reveal, QWidget* parent)
    : QWidget(parent) {
    auto* form = new QFormLayout(this);
    form->setLabelAlignment(Qt::AlignLeft);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    addHeader(*form, tr("Animation Info"));
    addRow(*form, tr("Size"), InspectorFormats::size(animation->width, animation->height));
    addRow(*form, tr("Duration"),
           InspectorFormats::duration(animation->startFrame, animation->endFrame, animation->framerate));
    addRow(*form, tr("Frame rate"), InspectorFormats::number(animation->framerate));
    addRow(*form, tr("Start frame"), InspectorFormats::number(animation->startFrame));
    addRow(*form, tr("End frame"), InspectorFormats::number(animation->endFrame));
    if (filePath.isEmpty()) return;

    addHeader(*form, tr("File Info"));
    auto* path = new QWidget(this);
    auto* pathRow = new QHBoxLayout(path);
    pathRow->setContentsMargins(0, 0, 0, 0);
    auto* pathText = new QLabel(filePath, path);
    // The path is the user's own text: markup in a folder's name shows as written.
    pathText->setTextFormat(Qt::PlainText);
    pathText->setWordWrap(true);
    pathText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    pathText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    pathRow->addWidget(pathText, 1);
    auto* button = new QToolButton(path);
    button->setIcon(symbolIcon(QStringLiteral("arrow.right.circle.fill")));
    button->setIconSize(QSize(14, 14));
    button->setAutoRaise(true);
    // Linux has no Finder: the file manager shows the file, or its folder.
    button->setToolTip(tr("Show in File Manager"));
    button->setAccessibleName(button->toolTip());
    connect(button, &QToolButton::clicked, this, [reveal = std::move(reveal), filePath] {
        if (reveal) reveal(filePath);
    });
    pathRow->addWidget(button, 0, Qt::AlignTop);
    revealButton_ = button;
    form->addRow(tr("Path"), path);
    rows_.append({tr("Path"), filePath});

    const QFileInfo file(filePath);
    if (file.exists() && file.isFile()) addRow(*form, tr("File size"), InspectorFormats::fileSize(file.size()));
}

void AnimationInspectorForm::addHeader(QFormLayout& form, const QString& text) {
    auto* header = new QLabel(text, this);
    QFont bold = header->font();
    bold.setBold(true);
    header->setFont(bold);
    if (form.rowCount() > 0) header->setContentsMargins(0, 12, 0, 0);
    form.addRow(header);
    rows_.append({text, QString()});
}

QLabel* AnimationInspectorForm::addRow(QFormLayout& form, const QString& label, const QString& value) {
    auto* field = new QLabel(value, this);
    field->setTextFormat(Qt::PlainText);
    field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    field->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form.addRow(label, field);
    rows_.append({label, value});
    return field;
}

QList<QPair<QString, QString>> AnimationInspectorForm::rows() const { return rows_; }

}  // namespace pellor
