// The boxes of the two screens as a user meets them: the paths the file list shows, and left
// clicks on a box's centre, the window first grown to show the box whole.
#pragma once

#include <string>
#include <vector>

#include "view/InputCodes.h"

class ButtonPanel;
class ZarvoApp;

// The texts of file boxes 1, 2, ... in id order.
std::vector<std::string> shownPaths(const ButtonPanel& panel);

// flags are those of the button released, with any keys held.
void clickFileBox(ZarvoApp& app, int id, unsigned flags = mouseFlags::left);
void clickCloseBox(ZarvoApp& app, unsigned flags = mouseFlags::left);
