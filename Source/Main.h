// The program: builds the framework, registers the modules and scenes, runs the show and shows
// every failure that escapes in a message box.
#pragma once

#include "Platform/Win32/Windows.h"

// Returns the process exit code: 0 after a normal end or a cancelled setup, 1 after a failure.
int LumenvaleMain(HINSTANCE instance, const char* commandLine);
