// Fuzz target of the stored parameter block: any bytes a host may hand back, the first
// 328 and the extension after them, are placed and drawn, so the sanitizers see every
// use of every field.
#pragma once

#include <cstddef>
#include <cstdint>

int FuzzParameterBlock(const uint8_t* data, size_t size);
