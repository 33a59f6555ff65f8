// Turns X events into handler calls carrying the integers of the matching Windows messages.
#include "platform/x11/WindowEvents.h"

#include "platform/InputCodes.h"
#include "platform/WindowHandlers.h"
#include "platform/x11/DropTarget.h"
#include "platform/x11/MainWindow.h"
#include "platform/x11/VirtualKeys.h"

namespace platform {

using x11::mainWindow;

namespace {

// One wheel notch away from the user, and towards the user (-120 as an unsigned 16-bit value).
constexpr unsigned wheelAway = 120;
constexpr unsigned wheelTowards = 65416;

unsigned mouseKeyFlags(unsigned state) {
  return (state & Button1Mask ? mouseFlags::left : 0) | (state & Button3Mask ? mouseFlags::right : 0) |
         (state & ShiftMask ? mouseFlags::shift : 0) | (state & ControlMask ? mouseFlags::control : 0) |
         (state & Button2Mask ? mouseFlags::middle : 0);
}

// The key-state bit of a released button, 0 for the wheel and extra buttons.
unsigned buttonFlag(unsigned button) {
  return button == Button1   ? mouseFlags::left
         : button == Button2 ? mouseFlags::middle
         : button == Button3 ? mouseFlags::right
                             : 0;
}


// Windows passes positions as the low 16 bits of the message, zero-extended: -1 arrives as 65535.
int low16(int value) { return static_cast<int>(static_cast<unsigned>(value) & 0xFFFF); }

// NOTE: while a button is held X keeps reporting the pointer outside the window; Windows, which
// does not capture the mouse here, sends those moves and the release to the window under it.
bool isInClientArea(int x, int y) {
  return x >= 0 && y >= 0 && x < mainWindow.width && y < mainWindow.height;
}

// NOTE: a keyboard grab (a window manager's shortcut, a menu) reports the focus as lost and
// regained; the window keeps the keyboard through it, and Windows reports nothing.
bool isGrabChange(const XFocusChangeEvent& focus) {
  return focus.mode == NotifyGrab || focus.mode == NotifyUngrab;
}

bool isNewSize(const XConfigureEvent& configure) {
  return configure.width != mainWindow.width || configure.height != mainWindow.height;
}


}  // namespace

namespace x11 {

unsigned wheelDelta(unsigned button) {
  return button == Button4 ? wheelAway : button == Button5 ? wheelTowards : 0;
}

bool isCloseRequest(const XClientMessageEvent& message) {
  return message.format == 32 && static_cast<Atom>(message.data.l[0]) == mainWindow.atoms.wmDeleteWindow;
}

bool processEvent(const XEvent& event) {
  // NOTE: test windows exist without an application; their events change nothing.
  if (!theApp) return true;
  switch (event.type) {
    case Expose:
      // NOTE: X keeps no copy of a covered window, so an uncovered one must be drawn again.
      if (event.xexpose.count == 0) theApp->requestFrame();
      break;
    case ConfigureNotify:
      if (isNewSize(event.xconfigure)) {
        mainWindow.width = event.xconfigure.width;
        mainWindow.height = event.xconfigure.height;
        theApp->onResize(low16(mainWindow.width), low16(mainWindow.height));
      }
      break;
    case MapNotify:
      theApp->onActivate(true);
      break;
    case UnmapNotify:
      theApp->onActivate(false);
      break;
    case FocusIn:
      if (!isGrabChange(event.xfocus)) theApp->onFocus(true);
      break;
    case FocusOut:
      if (!isGrabChange(event.xfocus)) theApp->onFocus(false);
      break;
    case KeyPress:
      if (const unsigned key = virtualKeyOf(event.xkey, mainWindow.numLockMask))
        theApp->onKeyDown(key);
      break;
    case KeyRelease:
      if (const unsigned key = virtualKeyOf(event.xkey, mainWindow.numLockMask))
        theApp->onKeyUp(key);
      break;
    case MotionNotify:
      if (isInClientArea(event.xmotion.x, event.xmotion.y))
        theApp->onMouseMove(event.xmotion.x, event.xmotion.y, mouseKeyFlags(event.xmotion.state));
      break;
    case ButtonPress:
      // NOTE: Windows gives the wheel's position in screen coordinates, not the client area's.
      if (const unsigned delta = wheelDelta(event.xbutton.button))
        theApp->onMouseWheel(low16(event.xbutton.x_root), low16(event.xbutton.y_root),
                             mouseKeyFlags(event.xbutton.state), delta);
      break;
    case ButtonRelease:
      // X's state still holds the released button and Windows' wParam no longer does; both end
      // up with its bit set.
      if (const unsigned bit = buttonFlag(event.xbutton.button);
          bit && isInClientArea(event.xbutton.x, event.xbutton.y))
        theApp->onMouseUp(event.xbutton.x, event.xbutton.y, mouseKeyFlags(event.xbutton.state) | bit);
      break;
    case ClientMessage:
      if (isXdndMessage(event.xclient)) takeXdndMessage(event.xclient);
      return !isCloseRequest(event.xclient);
    case SelectionNotify:
      if (const auto dropped = takeDroppedList(event.xselection)) theApp->onFilesDropped(*dropped);
      break;
    case PropertyNotify:
      if (const auto dropped = takeDroppedListPart(event.xproperty)) theApp->onFilesDropped(*dropped);
      break;
    default:
      break;
  }
  return true;
}

}  // namespace x11

}  // namespace platform
