// Posts messages to the main window and its thread, from any thread.
#include "platform/WindowInput.h"

#include "platform/win32/MainWindow.h"

namespace platform {

struct WindowInput::Target {
  HWND window;
  DWORD thread;
};

WindowInput::WindowInput()
    : target(new Target{win32::mainWindow(), GetWindowThreadProcessId(win32::mainWindow(), nullptr)}) {}

WindowInput::~WindowInput() { delete target; }

void WindowInput::keyDown(char letter) { PostMessageA(target->window, WM_KEYDOWN, letter, 0); }

void WindowInput::keyUp(char letter) { PostMessageA(target->window, WM_KEYUP, letter, 0); }

// NOTE: WM_QUIT is taken before WM_PAINT; posted while a frame is pending, it skips that frame.
void WindowInput::endLoop() { PostThreadMessageA(target->thread, WM_QUIT, 0, 0); }

}  // namespace platform
