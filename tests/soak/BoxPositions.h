// Where a user clicks the boxes of the two screens: window positions (origin top-left) of
// their centres at the current window size, and the window size that brings a file box into reach.
#pragma once

#include <string>

class ButtonPanel;

struct WindowPoint {
  int x;
  int y;
};

WindowPoint fileBoxCentre(int id);
WindowPoint closeBoxCentre();

// Whether the current window shows box id (or the close box) fully.
bool fileBoxInReach(int id);
bool closeBoxInReach();

// The smallest width and height that show file box id, and the close box, fully.
WindowPoint windowHolding(int fileBoxId);

// The id of the file box showing text, or 0 when there is none.
int fileBoxId(const ButtonPanel& panel, const std::string& text);
