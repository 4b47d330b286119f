#include "tools/console.h"

#include <csignal>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnInterrupt(int) {
    interrupted = 1;
}

}  // namespace

bool IsStderrTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

int TerminalColumns() {
    struct winsize size;
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    return 80;
}

void CatchInterrupt() {
    struct sigaction action = {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool WasInterrupted() {
    return interrupted != 0;
}
