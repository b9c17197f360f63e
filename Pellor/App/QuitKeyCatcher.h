#pragma once
// Quits the viewer on the quit key (Ctrl+Q) typed into any of its windows,
// also one that has gone since: a window's File > Quit shortcut serves it only
// while it is the active window, and a key typed into the welcome window at
// start-up reaches the program only once the documents' windows have shown and
// closed it, so that without this the key would be dropped. It sees the keys
// the windows receive (an event filter on the application) and acts only on
// those that no shortcut took. Owned by the application object; main thread
// only.

#include <QObject>
#include <functional>

namespace pellor {

class QuitKeyCatcher : public QObject {
    Q_OBJECT

public:
    // Calls `quit` for each quit key no shortcut took.
    QuitKeyCatcher(std::function<void()> quit, QObject* parent = nullptr);
    ~QuitKeyCatcher() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> quit_;
};

}  // namespace pellor
