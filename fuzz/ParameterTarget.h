// Fuzz target of the stored parameter block: any 328 bytes a host may hand back are
// placed and drawn, so the sanitizers see every use of every field.
#pragma once

#include <cstddef>
#include <cstdint>

int FuzzParameterBlock(const uint8_t* data, size_t size);
