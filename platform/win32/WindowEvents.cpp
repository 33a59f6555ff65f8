// The main window's procedure: unpacks each handled message into integers for one app handler.
#include "platform/WindowHandlers.h"
#include "platform/win32/DropTarget.h"
#include "platform/win32/MainWindow.h"

namespace platform::win32 {

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // NOTE: test windows exist without an app; they get the default handling.
  if (!theApp) return DefWindowProcW(window, message, wParam, lParam);

  // Zero-extended on purpose: handlers never see a negative coordinate.
  const int x = LOWORD(lParam);
  const int y = HIWORD(lParam);
  const auto flags = static_cast<unsigned>(wParam);

  switch (message) {
    case WM_CLOSE:
      if (deferCloseToLongTask()) return 0;
      return DefWindowProcW(window, message, wParam, lParam);
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_SIZE:
      theApp->onResize(x, y);
      return 0;
    case WM_ACTIVATE:
      theApp->onActivate(LOWORD(wParam) != 0);
      return 0;
    case WM_SETFOCUS:
      theApp->onFocus(true);
      return 0;
    case WM_KILLFOCUS:
      theApp->onFocus(false);
      return 0;
    case WM_KEYDOWN:
      theApp->onKeyDown(flags);
      return 0;
    case WM_KEYUP:
      theApp->onKeyUp(flags);
      return 0;
    case WM_TIMER:
      theApp->onTimer(flags);
      return 0;
    case WM_MOUSEMOVE:
      theApp->onMouseMove(x, y, flags);
      return 0;
    case WM_LBUTTONUP:
      theApp->onMouseUp(x, y, flags | MK_LBUTTON);
      return 0;
    case WM_RBUTTONUP:
      theApp->onMouseUp(x, y, flags | MK_RBUTTON);
      return 0;
    case WM_MBUTTONUP:
      theApp->onMouseUp(x, y, flags | MK_MBUTTON);
      return 0;
    case WM_MOUSEWHEEL:
      theApp->onMouseWheel(x, y, LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_DROPFILES:
      theApp->onFilesDropped(takeDroppedFiles(reinterpret_cast<HDROP>(wParam)));
      return 0;
    case WM_EXITMENULOOP:
      theApp->requestFrame();
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(window, &paint);
      theApp->render();
      EndPaint(window, &paint);
      return 0;
    }
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace platform::win32
