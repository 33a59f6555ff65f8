// The program's entry point on Linux: the arguments are passed on as the bytes they are.
#include "platform/WindowHandlers.h"

int main(int argc, char** argv) { return runZarvo({argv + 1, argv + argc}); }
