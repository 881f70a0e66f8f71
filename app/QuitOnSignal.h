#pragma once
#include <QObject>

class QSocketNotifier;
class QWidget;

// Closes the main window when the process gets SIGTERM or SIGINT (a logout,
// a shutdown, a terminal's Ctrl+C), so the sessions with the controllers are
// closed as when the installer closes the window. The signal handler only
// writes to a socket; the window is closed from the event loop.
class QuitOnSignal : public QObject {
    Q_OBJECT
public:
    explicit QuitOnSignal(QWidget& window);
    ~QuitOnSignal() override;

private:
    QWidget& Window;
    QSocketNotifier* Notifier = nullptr;
};
