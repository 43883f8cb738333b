#include "Terminal.h"

// A POSIX terminal, a pipe and a file take UTF-8 bytes as they are.
void UseUtf8StandardStreams() {}
