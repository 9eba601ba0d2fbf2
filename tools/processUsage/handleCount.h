#pragma once
// The number of handles the process holds open; throws when the platform cannot tell.

#include <cstdint>

uint32_t HandleCount();
