// The client-area size in pixels, shared by the frame and the overlay layout.
#pragma once

extern int viewportWidth;
extern int viewportHeight;
