#include <windows.h>

#include <cstdlib>
#include <thread>

#include "interrupt.h"

namespace cli {

namespace {

Io::Interrupt* installed = nullptr;
void (*before_exit)() = nullptr;
HANDLE session_window_ready = nullptr;  // set once the session's window is made, or could not be

// A program that ends while another thread is still making its first window can hang in
// the window system's start-up (under Wine the process is then killed). So every way out
// waits until the window is made; bounded, since a desktop that never answers must not
// keep the program from ending.
void wait_for_the_session_window() {
    if (session_window_ready) WaitForSingleObject(session_window_ready, 5000);
}

// Ended at once, with the status of an interrupted command. The system's own handler
// would end it too, but under Wine with status 0, which reads as success.
[[noreturn]] void end_now() {
    if (before_exit) before_exit();
    wait_for_the_session_window();
    ExitProcess(130);
}

// Windows is about to end the program: it may end it as soon as the caller returns (and,
// failing that, a few seconds later). The caller waits here while the main thread
// finishes the frame in flight and prints its summary; the program's exit ends it too.
// A stop already pending (Ctrl+C, or the session's end told twice) is waited for the same
// way: only a person pressing Ctrl+C twice cuts a frame.
[[noreturn]] void stop_and_wait_for_the_end() {
    if (!installed->wanted) end_now();
    if (!installed->caught) installed->caught = Io::Interrupt::console_closing;
    for (;;) Sleep(INFINITE);
}

BOOL WINAPI on_console_event(DWORD event) {
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
        if (!installed->wanted || installed->caught) end_now();  // nothing to finish, or asked twice
        installed->caught = Io::Interrupt::ctrl_c;
        return TRUE;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        stop_and_wait_for_the_end();
    default:
        return FALSE;
    }
}

LRESULT CALLBACK on_session_message(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_QUERYENDSESSION) return TRUE;
    if (message == WM_ENDSESSION && w) stop_and_wait_for_the_end();
    return DefWindowProcW(window, message, w, l);
}

// A program that loads user32.dll (Qt does) gets no CTRL_LOGOFF_EVENT or
// CTRL_SHUTDOWN_EVENT; the end of the session reaches it as window messages instead, sent
// to its top-level windows. A hidden one on a thread of its own takes them (a message-only
// window would get no broadcasts). It is made while the command runs.
void watch_the_session() {
    const HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    session_window_ready = ready;
    std::atexit(wait_for_the_session_window);
    std::thread([ready] {
        const HINSTANCE module = GetModuleHandleW(nullptr);
        WNDCLASSW type{};
        type.lpfnWndProc = on_session_message;
        type.hInstance = module;
        type.lpszClassName = L"trelvik-cli-session";
        const bool made = RegisterClassW(&type) &&
                          CreateWindowExW(0, type.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                                          module, nullptr);
        if (ready) SetEvent(ready);
        if (!made) return;
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    }).detach();
}

}  // namespace

void install_interrupt_handler(Io::Interrupt& interrupt, void (*before_sudden_exit)()) {
    installed = &interrupt;
    before_exit = before_sudden_exit;
    // The window's readiness is known before any console event can ask for it.
    watch_the_session();
    SetConsoleCtrlHandler(on_console_event, TRUE);
}

}  // namespace cli
