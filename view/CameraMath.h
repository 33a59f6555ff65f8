// The camera arithmetic of the controls, as pure functions of the camera values.
#pragma once

struct PanOffset {
  int dx;
  int dy;
};

// Pan distance in view units: 100 high above the ground, shrinking with the eye's height below 1000.
int panStep(int translateZ);

// Change of (translateX, translateY) for one press of W, A, S or D (keys::w ...) at heading rotateZ.
PanOffset panOffset(unsigned key, int rotateZ, int translateZ);

// translateZ after one wheel message; delta is the wheel distance's 16 bits as delivered.
int wheelZoom(int translateZ, unsigned delta);

struct Turn {
  int rotateX;
  int rotateZ;
};

// Camera rotation after a right-button drag from (lastX, lastY) to (x, y).
Turn dragTurn(int lastX, int lastY, int x, int y, int rotateX, int rotateZ);
