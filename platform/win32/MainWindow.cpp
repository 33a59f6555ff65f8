// Win32 window class, window, pixel format and WGL context of the main window.
#include "platform/win32/MainWindow.h"

#include <GL/gl.h>

#include <shellapi.h>

#include "platform/Platform.h"
#include "platform/win32/WideText.h"

namespace platform {

using win32::wideFromUtf8;

namespace {

constexpr DWORD windowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD windowExStyle = WS_EX_LAYERED | WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
constexpr WORD iconId = 101;
// NOTE: ChoosePixelFormat may pick fewer depth bits than asked for, and Wine answers a 16-bit request
// with exactly 16; with near 1 and far 30000 a 16-bit buffer lets the ground show through distant
// terrain, so 24 bits are asked for first, and a format of fewer than 16 is never taken.
constexpr BYTE depthBitsPreferred[] = {24, 16};
constexpr BYTE depthBitsLeast = 16;

HINSTANCE instance = nullptr;
const char* registeredClass = nullptr;
HWND window = nullptr;
HDC deviceContext = nullptr;
HGLRC renderingContext = nullptr;

PIXELFORMATDESCRIPTOR pixelFormat = {
    sizeof(PIXELFORMATDESCRIPTOR), 1,
    PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER, PFD_TYPE_RGBA,
    0,  // colour bits: set by the first openWindow
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0,  // depth bits: set by each request
    0, 0, PFD_MAIN_PLANE, 0, 0, 0, 0};
bool colourBitsChosen = false;

// NOTE: the window is a Unicode one, so its title holds any name; an ANSI window keeps it in the code page.
bool registerClass(const char* className) {
  const std::wstring name = wideFromUtf8(className);
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof(WNDCLASSEXW);
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = win32::windowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(iconId));
  windowClass.hIconSm = static_cast<HICON>(
      LoadImageA(instance, MAKEINTRESOURCEA(iconId), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = name.c_str();
  return RegisterClassExW(&windowClass) != 0;
}

bool createWindow(const char* className, const char* title, int width, int height) {
  RECT frame = {0, 0, width, height};
  if (!AdjustWindowRectEx(&frame, windowStyle, FALSE, windowExStyle)) return false;
  window = CreateWindowExW(windowExStyle, wideFromUtf8(className).c_str(), wideFromUtf8(title).c_str(), windowStyle, CW_USEDEFAULT,
                           CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                           nullptr, nullptr, instance, nullptr);
  return window != nullptr;
}

// The format the system picks for a request of depthBits, if its depth buffer has at least
// depthBitsLeast bits; else 0.
int formatWithDepth(BYTE depthBits) {
  pixelFormat.cDepthBits = depthBits;
  const int format = ChoosePixelFormat(deviceContext, &pixelFormat);
  PIXELFORMATDESCRIPTOR chosen = {};
  if (format == 0 || DescribePixelFormat(deviceContext, format, sizeof(chosen), &chosen) == 0) return 0;
  return chosen.cDepthBits >= depthBitsLeast ? format : 0;
}

bool setPixelFormat(int colourBits) {
  if (!colourBitsChosen) {
    pixelFormat.cColorBits = static_cast<BYTE>(colourBits);
    colourBitsChosen = true;
  }
  deviceContext = GetDC(window);
  int format = 0;
  for (BYTE depthBits : depthBitsPreferred) {
    if ((format = formatWithDepth(depthBits)) != 0) break;
  }
  return format != 0 && SetPixelFormat(deviceContext, format, &pixelFormat) != FALSE;
}

bool makeContextCurrent() {
  renderingContext = wglCreateContext(deviceContext);
  return wglMakeCurrent(deviceContext, renderingContext) != FALSE;
}

bool fail(const char* text) {
  showMessage(text, "Error!", MessageIcon::Warning);
  closeWindow();
  return false;
}

}  // namespace

HWND win32::mainWindow() { return window; }

bool openWindow(const char* className, const char* title, int width, int height, int colourBits) {
  instance = GetModuleHandleA(nullptr);
  if (!registerClass(className)) {
    showMessage("Window registration failed!", "Error!", MessageIcon::Warning);
    return false;
  }
  registeredClass = className;
  if (!createWindow(className, title, width, height)) return fail("Window creation failed!");
  SetLayeredWindowAttributes(window, 0, 255, LWA_ALPHA);
  DragAcceptFiles(window, TRUE);
  if (!setPixelFormat(colourBits)) return fail("PixelFormat failed!?");
  if (!makeContextCurrent()) return fail("Rendering context failed!");
  return true;
}

void closeWindow() {
  if (renderingContext) {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(renderingContext);
  }
  if (deviceContext) ReleaseDC(window, deviceContext);
  if (window) DestroyWindow(window);
  if (registeredClass) UnregisterClassA(registeredClass, instance);
  renderingContext = nullptr;
  deviceContext = nullptr;
  window = nullptr;
  registeredClass = nullptr;
}

void showWindow() {
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
}

void setTitle(const std::string& title) {
  SetWindowTextW(window, wideFromUtf8(title).c_str());
}

void setOpacity(unsigned char alpha) {
  SetLayeredWindowAttributes(window, 0, alpha, LWA_ALPHA);
}

void swapBuffers() {
  SwapBuffers(deviceContext);
}

void requestFrame() {
  // NOTE: Windows sends WM_PAINT only when no other message is queued, so the frame waits
  // for the input that came with it. No erase: the frame paints every pixel.
  if (window) InvalidateRect(window, nullptr, FALSE);
}

unsigned workspaceColour() {
  return GetSysColor(COLOR_APPWORKSPACE);
}

void showMessage(const char* text, const char* caption, MessageIcon icon) {
  MessageBoxA(nullptr, text, caption, icon == MessageIcon::Error ? MB_ICONERROR : MB_ICONWARNING);
}

}  // namespace platform
