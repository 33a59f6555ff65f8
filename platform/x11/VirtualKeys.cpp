// Maps X key symbols to the Windows virtual-key codes the application's key handlers take.
#include "platform/x11/VirtualKeys.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include <string_view>
#include <unordered_map>

namespace platform::x11 {

namespace {

// Keys whose code is not their own character. Alt is left out: Windows sends it as a system
// key, which never reaches the key handlers.
const std::unordered_map<KeySym, unsigned>& namedKeys() {
  static const std::unordered_map<KeySym, unsigned> keys = {
      {XK_BackSpace, 0x08},
      {XK_Tab, 0x09},
      {XK_ISO_Left_Tab, 0x09},
      {XK_Return, 0x0D},
      {XK_KP_Enter, 0x0D},
      {XK_Shift_L, 0x10},
      {XK_Shift_R, 0x10},
      {XK_Control_L, 0x11},
      {XK_Control_R, 0x11},
      {XK_Pause, 0x13},
      {XK_Caps_Lock, 0x14},
      {XK_Escape, 0x1B},
      {XK_space, 0x20},
      {XK_Prior, 0x21},
      {XK_Next, 0x22},
      {XK_End, 0x23},
      {XK_Home, 0x24},
      {XK_Left, 0x25},
      {XK_Up, 0x26},
      {XK_Right, 0x27},
      {XK_Down, 0x28},
      {XK_Print, 0x2C},
      {XK_Insert, 0x2D},
      {XK_Delete, 0x2E},
      {XK_Super_L, 0x5B},
      {XK_Super_R, 0x5C},
      {XK_Menu, 0x5D},
      {XK_KP_Multiply, 0x6A},
      {XK_KP_Add, 0x6B},
      {XK_KP_Separator, 0x6C},
      {XK_KP_Subtract, 0x6D},
      {XK_KP_Decimal, 0x6E},
      {XK_KP_Divide, 0x6F},
      {XK_Num_Lock, 0x90},
      {XK_Scroll_Lock, 0x91},
      {XK_semicolon, 0xBA},
      {XK_equal, 0xBB},
      {XK_comma, 0xBC},
      {XK_minus, 0xBD},
      {XK_period, 0xBE},
      {XK_slash, 0xBF},
      {XK_grave, 0xC0},
      {XK_bracketleft, 0xDB},
      {XK_backslash, 0xDC},
      {XK_bracketright, 0xDD},
      {XK_apostrophe, 0xDE},
      // With NumLock off the keypad's digits are its cursor keys, as on Windows.
      {XK_KP_Prior, 0x21},
      {XK_KP_Next, 0x22},
      {XK_KP_End, 0x23},
      {XK_KP_Home, 0x24},
      {XK_KP_Left, 0x25},
      {XK_KP_Up, 0x26},
      {XK_KP_Right, 0x27},
      {XK_KP_Down, 0x28},
      {XK_KP_Begin, 0x0C},
      {XK_KP_Insert, 0x2D},
      {XK_KP_Delete, 0x2E},
  };
  return keys;
}

constexpr unsigned numpad0 = 0x60;
constexpr unsigned f1 = 0x70;
constexpr int functionKeys = 24;

unsigned virtualKeyOfSymbol(KeySym symbol) {
  if (symbol >= XK_a && symbol <= XK_z) return static_cast<unsigned>(symbol - XK_a + 'A');
  if ((symbol >= XK_A && symbol <= XK_Z) || (symbol >= XK_0 && symbol <= XK_9))
    return static_cast<unsigned>(symbol);
  if (symbol >= XK_KP_0 && symbol <= XK_KP_9)
    return static_cast<unsigned>(symbol - XK_KP_0 + numpad0);
  if (symbol >= XK_F1 && symbol < XK_F1 + functionKeys)
    return static_cast<unsigned>(symbol - XK_F1 + f1);
  const auto found = namedKeys().find(symbol);
  return found == namedKeys().end() ? 0 : found->second;
}

// The letters and digits of a US keyboard by keycode: the codes Windows gives them under a layout without
// Latin letters (Cyrillic, Greek, Hebrew), and under any layout when they type no letter or digit (French digits).
// NOTE: the evdev keycodes and the older XFree86 ones agree on this block.
struct KeyRow {
  unsigned firstKeycode;
  const char* codes;
};
constexpr KeyRow positionRows[] = {{10, "1234567890"}, {24, "QWERTYUIOP"}, {38, "ASDFGHJKL"}, {52, "ZXCVBNM"}};

unsigned virtualKeyOfPosition(unsigned keycode) {
  for (const KeyRow& row : positionRows) {
    const std::string_view codes = row.codes;
    if (keycode >= row.firstKeycode && keycode < row.firstKeycode + codes.size())
      return static_cast<unsigned char>(codes[keycode - row.firstKeycode]);
  }
  return 0;
}

KeySym symbolOf(Display* display, unsigned keycode, unsigned modifiers, unsigned group) {
  KeySym symbol = NoSymbol;
  unsigned modifiersUsed = 0;
  XkbLookupKeySym(display, static_cast<KeyCode>(keycode), XkbBuildCoreState(modifiers, group), &modifiersUsed, &symbol);
  return symbol;
}

// Whether any letter key of a group types a Latin letter unshifted. Hebrew's types Latin capitals with Shift,
// and its W and Q keys an apostrophe and a slash, so only the unshifted letters tell.
bool typesLatin(Display* display, unsigned group) {
  for (const KeyRow& row : positionRows) {
    const unsigned end = row.firstKeycode + std::string_view(row.codes).size();
    for (unsigned keycode = row.firstKeycode; keycode < end; ++keycode) {
      const KeySym symbol = symbolOf(display, keycode, 0, group);
      if ((symbol >= XK_a && symbol <= XK_z) || (symbol >= XK_A && symbol <= XK_Z)) return true;
    }
  }
  return false;
}

}  // namespace

unsigned virtualKeyOf(const XKeyEvent& key, unsigned numLockMask) {
  // The active group names the key, as the active layout does on Windows. Only NumLock picks the symbol: with
  // Shift, Caps Lock or AltGr left out a key keeps one code, the way Windows names the key rather than the
  // character it types.
  const unsigned active = XkbGroupForCoreState(key.state);
  if (!typesLatin(key.display, active))
    if (const unsigned code = virtualKeyOfPosition(key.keycode)) return code;
  // A key the active group gives no code (a Cyrillic letter of "ru,us" outside the letter block) takes the
  // next group's, so the punctuation of a Latin layout beside it still has its codes.
  for (unsigned step = 0; step < XkbNumKbdGroups; ++step) {
    const unsigned group = (active + step) % XkbNumKbdGroups;
    if (const unsigned code = virtualKeyOfSymbol(symbolOf(key.display, key.keycode, key.state & numLockMask, group)))
      return code;
  }
  return virtualKeyOfPosition(key.keycode);
}

}  // namespace platform::x11
