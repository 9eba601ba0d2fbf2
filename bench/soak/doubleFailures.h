#pragma once
// The test doubles report a call they did not expect, or references left when they go, through
// GoogleTest; the soak runs no test around them, so it asks whether any such failure was
// reported (GoogleTest prints each as it comes).

#include <gtest/gtest.h>

#include <stdexcept>

inline void ThrowOnDoubleFailures() {
    if (testing::UnitTest::GetInstance()->Failed()) throw std::runtime_error("a test double reported a failure");
}
