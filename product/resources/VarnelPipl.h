// Varnel's plug-in property list.
#pragma once

#include "OrvLib/plugin/Pipl.h"

PiplDescription VarnelPiplDescription(bool x64);
