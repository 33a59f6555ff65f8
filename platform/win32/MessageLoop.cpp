// The Win32 message loop, and the messages a long task takes between its steps.
#include <windows.h>

#include "platform/Platform.h"
#include "platform/win32/MainWindow.h"

namespace {

// The message ranges a long task takes: all but the keyboard's and the mouse's client input and
// dropped files, which stay queued in order. System keys are taken, since Alt+F4 is a close request.
constexpr UINT takenDuringLongTask[][2] = {
    {0, WM_KEYFIRST - 1}, {WM_SYSKEYDOWN, WM_SYSDEADCHAR}, {WM_KEYLAST + 1, WM_MOUSEFIRST - 1},
    {WM_MOUSELAST + 1, WM_DROPFILES - 1}, {WM_DROPFILES + 1, 0xFFFFFFFF}};

// Pointer buttons pressed during a long task were aimed at a screen that the task replaces: dropped.
constexpr UINT droppedDuringLongTask[][2] = {{WM_LBUTTONDOWN, WM_MBUTTONDBLCLK}, {WM_XBUTTONDOWN, WM_XBUTTONDBLCLK}};

bool inLongTask = false;
bool closeRequested = false;

}  // namespace

bool platform::win32::deferCloseToLongTask() {
  if (inLongTask) closeRequested = true;
  return inLongTask;
}

bool platform::keepWindowAlive() {
  // NOTE: taking messages at all keeps Windows from showing the window as "Not Responding".
  inLongTask = true;
  MSG message;
  for (const auto& range : droppedDuringLongTask)
    while (PeekMessageA(&message, nullptr, range[0], range[1], PM_REMOVE)) {
    }
  for (const auto& range : takenDuringLongTask) {
    while (!closeRequested && PeekMessageA(&message, nullptr, range[0], range[1], PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        closeRequested = true;
        break;
      }
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  inLongTask = false;
  return !closeRequested;
}

int platform::runMessageLoop() {
  MSG message;
  for (;;) {
    if (closeRequested) {
      closeRequested = false;
      return 0;
    }
    const BOOL result = GetMessageA(&message, nullptr, 0, 0);
    if (result == 0) return static_cast<int>(message.wParam);
    if (result == -1) {
      showMessage("GetMessage() error", "Error!", MessageIcon::Error);
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}
