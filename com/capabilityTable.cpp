#include "com/capabilityTable.h"

#include "common/resultCodes.h"

namespace {

constexpr CapabilityEntry kYes{true, 0, DbSuccess};
constexpr CapabilityEntry kNo{false, 0, DbNoInfo};

// Identifiers 1 to 26; the answered ones form the mask 0x02B19FFF.
constexpr CapabilityEntry kCapabilities[26] = {
    kYes, kYes, kYes, kYes, kYes, kYes, kYes, kYes, kYes, kYes, kYes, kYes, kYes,  // 1 to 13
    kNo,  kNo,                                                                       // 14, 15
    kYes, kYes,                                                                      // 16, 17
    kNo,  kNo,  kNo,                                                                 // 18 to 20
    {true, 0x08000000, DbSuccess},                                                   // 21
    {true, 1, DbNoInfo},                                                             // 22: answered, yet 100
    kNo,                                                                             // 23
    kYes,                                                                            // 24
    kNo,                                                                             // 25
    kYes,                                                                            // 26
};

constexpr uint32_t AnsweredMask() {
    uint32_t mask = 0;
    for (int id = 1; id <= 26; ++id)
        if (kCapabilities[id - 1].answered) mask |= 1u << (id - 1);
    return mask;
}
static_assert(AnsweredMask() == 0x02B19FFF, "capability table disagrees with the engine's mask");

}  // namespace

const CapabilityEntry* FindCapability(int32_t infoId) {
    if (infoId < 1 || infoId > 26) return nullptr;
    const CapabilityEntry& entry = kCapabilities[infoId - 1];
    return entry.answered ? &entry : nullptr;
}
