// The keys the control models understand; the window layer maps virtual keys onto them.
#pragma once

enum class ControlKey { Other, Left, Right, Up, Down, PageUp, PageDown, Home, End, Space, Escape, Return };
