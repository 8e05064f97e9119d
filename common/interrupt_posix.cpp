#include "common/interrupt.h"

#include <csignal>

namespace ferwis {
namespace {

volatile std::sig_atomic_t g_signal = 0;

extern "C" void remember_signal(int signal) {
    g_signal = signal;
}

} // namespace

void catch_interrupt_signals() {
    struct sigaction action {};
    action.sa_handler = remember_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags =
        static_cast<int>(SA_RESETHAND); // no SA_RESTART: a blocked read returns at once
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

int interrupt_signal() {
    return g_signal;
}

} // namespace ferwis
