#pragma once
namespace mathtest {
struct HardCase { char function; double x; double y; double expected; };
constexpr HardCase kHardCases[] = {{'s', 1.0, 0.0, 0x1.aed548f090ceep-1}};
}
