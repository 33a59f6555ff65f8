// The program's entry point on Linux; like the Windows one it takes no arguments.
#include "app/ZarvoApp.h"

int main() { return runZarvo(); }
