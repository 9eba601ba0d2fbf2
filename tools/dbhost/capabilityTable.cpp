#include "capabilityTable.h"

#include <cstdio>

#include "common/resultCodes.h"
#include "driverFailure.h"

namespace {

// What the engine asks under each identifier is the engine's own; the driver only answers from
// a fixed table, so the console says no more than the answer itself.
constexpr char kHeading[] =
    "Capabilities: the driver's fixed answers to the report engine's numbered capability questions\n"
    "(DbGetInfo with identifiers 1 to 26). What each identifier asks is the engine's own. For an\n"
    "answered identifier the driver writes a value; result 100 means it gives no answer, even\n"
    "where it wrote a value.\n"
    "\n"
    "  id  answer        value                         result\n";

std::string ResultText(int32_t result) {
    if (result == DbSuccess) return "success";
    if (result == DbNoInfo) return "no answer for this identifier";
    return ResultMeaning(result);
}

std::string CapabilityLine(const CapabilityAnswer& answer) {
    char value[40] = "";
    if (answer.answered) std::snprintf(value, sizeof value, "value %u (0x%08X)", answer.value, answer.value);
    char line[160];
    std::snprintf(line, sizeof line, "  %2d  %-12s  %-28s  result %d (%s)\n", answer.id,
                  answer.answered ? "answered" : "not answered", value, answer.result, ResultText(answer.result).c_str());
    return line;
}

}  // namespace

std::string CapabilityTable(const std::vector<CapabilityAnswer>& answers) {
    std::string table = kHeading;
    for (const CapabilityAnswer& answer : answers) table += CapabilityLine(answer);
    return table;
}
