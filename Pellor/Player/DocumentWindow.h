#pragma once
// The window of one open document: read-only, titled with the file's name,
// showing the document's animation playing. It accepts dropped documents,
// which open in windows of their own. Owns its document; deletes itself when
// closed (the application forgets it then).

#include "Pellor/App/SceneWindow.h"
#include "Pellor/Documents/ReadOnlyDocument.h"

namespace lottie {
class LottieViewHost;
}

namespace pellor {

class DocumentWindow : public SceneWindow {
    Q_OBJECT

public:
    DocumentWindow(PellorApp& app, ReadOnlyDocument document, QWidget* parent = nullptr);

    const ReadOnlyDocument& document() const { return document_; }
    lottie::LottieViewHost* animationHost() const { return host_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    ReadOnlyDocument document_;
    lottie::LottieViewHost* host_ = nullptr;
};

}  // namespace pellor
