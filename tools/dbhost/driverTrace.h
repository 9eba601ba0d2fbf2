#pragma once
// The console's export calls as a trace (--trace): one line a call with its arguments, its
// result code and meaning, the error records it handed back and the time it took, e.g.
//     DbFetchTableInfo(table=Orders) -> 0 (success) 4 us

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

#include "ado/errorInfo.h"

class DriverTrace {
public:
    explicit DriverTrace(std::FILE* out) : out_(out) {}

    void Call(const char* name, const std::string& arguments, int32_t result, const DbErrorInfo* records,
              std::chrono::microseconds took) const;

private:
    std::FILE* out_;
};
