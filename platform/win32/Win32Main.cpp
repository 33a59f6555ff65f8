// The Windows GUI entry point; the program takes no arguments.
#include <windows.h>

#include "app/ZarvoApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return runZarvo();
}
