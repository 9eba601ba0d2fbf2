#pragma once
// Rows read so far and rows per second on standard error, twice a second, only when standard
// error is a console: redirected output stays free of it.

#include <chrono>
#include <cstdint>

class ReadProgress {
public:
    ReadProgress();
    ~ReadProgress();
    void RowRead();

private:
    void Show(bool final);

    bool enabled_;
    uint64_t rows_ = 0;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point shown_;
};
