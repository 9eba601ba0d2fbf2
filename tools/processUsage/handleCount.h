#pragma once
// The number of handles the process holds open.

#include <cstdint>

uint32_t HandleCount();
