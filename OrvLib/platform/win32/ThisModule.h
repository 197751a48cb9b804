// The module that holds this code: the plug-in inside its host, the program in tests.
#pragma once

#include <windows.h>

HMODULE OrvThisModule();
