#pragma once
// What the COM test doubles share. A double lives in the test's scope and keeps one reference
// of the test's own, which it never hands out: its count reads like a live object's, never
// reaches 0, and must be back at 1 when the double goes. A call that a double does not expect
// fails the test.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

class ReferenceCount {
public:
    explicit ReferenceCount(const char* owner) : owner_(owner) {}
    ~ReferenceCount() { EXPECT_EQ(count_, 1u) << owner_ << ": references not released"; }
    ReferenceCount(const ReferenceCount&) = delete;
    ReferenceCount& operator=(const ReferenceCount&) = delete;

    // Notes name in log whenever the last reference that others held goes, so that tests see
    // the order in which objects were let go.
    void LogReleasesTo(std::vector<std::string>& log, std::string name) {
        log_ = &log;
        name_ = std::move(name);
    }

    ULONG Add() noexcept { return ++count_; }
    ULONG Release() noexcept {
        if (count_ <= 1) {
            ADD_FAILURE() << owner_ << ": released more often than referenced";
            return count_;
        }
        if (--count_ == 1 && log_) log_->push_back(name_);
        return count_;
    }
    // Including the test's own reference.
    ULONG Value() const noexcept { return count_; }

private:
    const char* owner_;
    ULONG count_ = 1;
    std::vector<std::string>* log_ = nullptr;
    std::string name_;
};

inline HRESULT UnexpectedCall(const char* method) {
    ADD_FAILURE() << "unexpected call of " << method;
    return E_NOTIMPL;
}

// HRESULTs read as they are documented: 0x80004005, not -2147467259.
inline std::string HresultText(HRESULT result) {
    char text[11];
    wsprintfA(text, "0x%08lX", static_cast<unsigned long>(result));
    return text;
}
