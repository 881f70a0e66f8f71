#include "QuitOnSignal.h"

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <QWidget>

namespace {

int Pipe[2] = {-1, -1};

extern "C" void OnStopSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(Pipe[0], &byte, 1);
}

}  // namespace

QuitOnSignal::QuitOnSignal(QWidget& window) : Window(window)
{
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, Pipe) != 0) {
        return;  // the window still closes the normal way
    }
    Notifier = new QSocketNotifier(Pipe[1], QSocketNotifier::Read, this);
    connect(Notifier, &QSocketNotifier::activated, this, [this] {
        char byte;
        [[maybe_unused]] const ssize_t got = read(Pipe[1], &byte, 1);
        // Nobody is there to answer a question at a logout or a shutdown.
        Window.setProperty("closingBySignal", true);
        Window.close();
    });
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

QuitOnSignal::~QuitOnSignal()
{
    signal(SIGTERM, SIG_DFL);
    signal(SIGINT, SIG_DFL);
    for (int& fd : Pipe) {
        if (fd >= 0) {
            close(fd);
            fd = -1;
        }
    }
}
