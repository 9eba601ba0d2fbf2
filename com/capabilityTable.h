#pragma once
// The fixed answers to the engine's numbered capability questions.

#include <cstdint>

struct CapabilityEntry {
    bool answered;
    uint32_t value;
    int32_t result;
};

// The entry for an identifier, or null when the identifier is not answered.
const CapabilityEntry* FindCapability(int32_t infoId);
