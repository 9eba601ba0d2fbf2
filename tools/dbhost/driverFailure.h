#pragma once
// A driver export that did not succeed: its name, its result code and the error records it
// handed back, copied before the list goes back to the driver.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// What a result code of the exports means, in a few words.
std::string ResultMeaning(int32_t result);

struct DriverErrorRecord {
    uint32_t code;
    std::wstring text;
};

class DriverFailure : public std::runtime_error {
public:
    DriverFailure(std::string operation, int32_t result, std::vector<DriverErrorRecord> records)
        : std::runtime_error(operation + " failed with result " + std::to_string(result) + " (" +
                             ResultMeaning(result) + ")"),
          result_(result), records_(std::move(records)) {}

    int32_t Result() const { return result_; }
    const std::vector<DriverErrorRecord>& Records() const { return records_; }

private:
    int32_t result_;
    std::vector<DriverErrorRecord> records_;
};

// A command-line value that the console cannot turn into what the driver expects.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
