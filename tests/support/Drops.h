// Drops on the real window, made the system's own way by each platform's test, and what the app must do.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "support/RunningApp.h"

// Hands the files to the window as a file manager's drop would and waits until the app has taken it.
using DropFiles = std::function<void(const std::vector<std::string>& paths)>;

// Drops a track among other files, something else, and a missing track, checking the title and the notice.
void expectTheFirstTrackOfADropToOpen(RunningApp& running, const DropFiles& drop);
