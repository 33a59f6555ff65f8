// Hands the main window's queued X events to the backend, as its message loop would.
#pragma once

#include <ostream>

#include "support/RecordingApp.h"

// Delivers every event the server has sent so far.
void pumpEvents();

// Keeps delivering events for a while: input faked through the server arrives a little later.
void pumpEventsFor(int milliseconds);

// Lets test failures show a call as handler(arguments).
void PrintTo(const HandlerCall& call, std::ostream* out);
