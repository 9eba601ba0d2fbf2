#include "driverTrace.h"

#include "driverFailure.h"
#include "exportArguments.h"

void DriverTrace::Call(const char* name, const std::string& arguments, int32_t result, const DbErrorInfo* records,
                       std::chrono::microseconds took) const {
    std::string line = std::string(name) + "(" + arguments + ") -> " + std::to_string(result) + " (" +
                       ResultMeaning(result) + ")";
    for (; records; records = records->next) line += " [" + std::to_string(records->code) + " " + Quoted(records->text) + "]";
    std::fprintf(out_, "%s %lld us\n", line.c_str(), static_cast<long long>(took.count()));
}
