// The Win32 message loop.
#include <windows.h>

#include "platform/Platform.h"

int platform::runMessageLoop() {
  MSG message;
  for (;;) {
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
