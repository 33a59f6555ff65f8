// The GL state every frame relies on, set once when the context is made.
#pragma once

// Clear colour from a 0x00BBGGRR colour (alpha 0), smooth shading, depth test with
// GL_LEQUAL, source-alpha blending and back-face culling; nothing else enabled.
void setFixedGlState(unsigned clearColour);
