#include "common/interrupt.h"

#include <csignal>
#include <windows.h>

namespace ferwis {
namespace {

volatile LONG g_signal = 0;

// Ctrl+C, Ctrl+Break or the console closing: the first is only remembered, so
// that the operation stops at its next safe point; a second ends the process.
BOOL WINAPI remember_event(DWORD event) {
    const LONG signal = event == CTRL_C_EVENT ? SIGINT : SIGTERM;
    return InterlockedCompareExchange(&g_signal, signal, 0) == 0 ? TRUE : FALSE;
}

} // namespace

void catch_interrupt_signals() {
    SetConsoleCtrlHandler(remember_event, TRUE);
}

int interrupt_signal() {
    return static_cast<int>(g_signal);
}

} // namespace ferwis
