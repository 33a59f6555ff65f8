#include "ui/Viewport.h"

int viewportWidth = 0;
int viewportHeight = 0;
