#include "readProgress.h"

#include <windows.h>

#include <cstdio>

namespace {

bool StandardErrorIsConsole() {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

constexpr std::chrono::milliseconds kInterval(500);

}  // namespace

ReadProgress::ReadProgress()
    : enabled_(StandardErrorIsConsole()), start_(std::chrono::steady_clock::now()), shown_(start_) {}

ReadProgress::~ReadProgress() {
    if (enabled_ && shown_ != start_) Show(true);
}

void ReadProgress::RowRead() {
    ++rows_;
    // The clock is read every 1,024 rows only: the row loop is what is being shown.
    if (!enabled_ || (rows_ & 1023) != 0) return;
    if (std::chrono::steady_clock::now() - shown_ >= kInterval) Show(false);
}

void ReadProgress::Show(bool final) {
    shown_ = std::chrono::steady_clock::now();
    const double seconds = std::chrono::duration<double>(shown_ - start_).count();
    std::fprintf(stderr, "\r%llu rows read, %.0f rows/s%s", static_cast<unsigned long long>(rows_),
                 seconds > 0 ? rows_ / seconds : 0.0, final ? "\n" : "");
    std::fflush(stderr);
}
