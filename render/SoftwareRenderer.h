// Whether the GL draws on the CPU, where a display list only holds the track a second time and takes
// longer to make than arrays take to draw.
#pragma once

// renderer: as GL_RENDERER names it.
bool isSoftwareRenderer(const char* renderer);
