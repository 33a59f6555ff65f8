// The operating-system services the portable program uses. Each folder beside this
// header (win32/, x11/) implements them; CMake links exactly one.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

namespace platform {

enum class MessageIcon { Warning, Error };

// Registers the window class, opens a hidden window with a client area of
// width x height pixels and makes a double-buffered OpenGL context current on it.
// On failure it shows the start-up error box, releases what it made and returns false.
bool openWindow(const char* className, const char* title, int width, int height, int colourBits);

// Releases the context, the device context, the window and the class, each only if it exists.
void closeWindow();

void showWindow();
void setTitle(const std::string& title);
void setOpacity(unsigned char alpha);
void swapBuffers();

// An OpenGL function past version 1.1, as the current context offers it; null where it has none.
// The caller checks that the context names the function's extension.
using GlFunction = void (*)();
GlFunction glFunction(const char* name);

// Asks for a frame. The backend calls the app's render once no input is waiting, so a burst
// of input that comes faster than frames can be drawn gets one frame after it, not one each.
void requestFrame();

// The desktop's workspace colour as 0x00BBGGRR.
unsigned workspaceColour();

// The longest time between the clicks of a double-click, in milliseconds.
int doubleClickTime();

// This machine's name on the network, as a file: URI may name it.
std::string hostName();

void showMessage(const char* text, const char* caption, MessageIcon icon);

// Glyphs exist for character codes 0 .. 254; code 255 has none.
constexpr int fontGlyphCount = 255;

// Fills the display lists firstList .. firstList + 254 with the bitmap glyphs of
// character codes 0 .. 254 of a font height pixels high.
void buildFontGlyphs(unsigned firstList, int height, const char* faceName);

// Between the steps of a long task on the GUI thread (a track's load): repaints the window when the
// system asks, with the app's render, and leaves all input queued, in order, for the message loop.
// False once the window has been asked to close: the task ends, and the message loop returns 0 at once.
bool keepWindowAlive();

// Whether a block of bytes of address space, in one piece, can be had now; it is given back at once.
bool canReserve(std::size_t bytes);

// At start-up: lets the C library keep the memory a frame frees for the next one, since handing it
// back to the system after every frame makes the next frame fault it all in again.
void keepFreedMemory();
// Hands the memory the C library keeps back to the system: for after a track is closed or replaced.
void releaseFreedMemory();

// Runs the message loop until the window is closed; returns the quit code.
int runMessageLoop();

struct DirectoryEntry {
  std::string name;
  bool isDirectory;
};

// Lists the entries of a folder matching a pattern like "smx/*.smx" (letter case
// ignored). False when the search cannot start: a missing folder or no match.
bool findFiles(const char* pattern, std::vector<DirectoryEntry>& entries);

// Paths are UTF-8 on Windows, where the backend turns them into the system's wide names; on Linux they are
// the bytes the system gives and takes, usually but not always UTF-8.
// Opens a regular file for reading, never waiting on a pipe. Anything else counts as a file that cannot be opened:
// null, as when the file is missing; errno then says why: EISDIR for a folder, ENODEV for the rest (a pipe, a device).
std::FILE* openFile(const std::string& path);
// Makes a folder the working folder; false when it is no folder or cannot be entered.
bool changeFolder(const std::string& path);
std::string workingFolder();

}  // namespace platform
