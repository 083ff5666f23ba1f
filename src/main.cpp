// Tumbrix entry: registers the systems in update order, initialises them and runs the loop.
#include "engine/Startup.h"

int main(int, char**) { return Framework::RunGame(); }
