// ADO data types and automation VARTYPEs described as engine fields.

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <set>
#include <tuple>
#include <vector>

#include "ado/adoconvert.h"
#include "common/dbvalue.h"
#include "reportedAssertions.h"

namespace {

// Code, value type, length, type options: the length does not depend on the defined size.
const uint32_t kFixedRows[][4] = {
    {0, 11, 510, 0x0002}, {138, 11, 510, 0x0002}, {2, 2, 2, 0}, {16, 2, 2, 0}, {3, 4, 4, 0}, {4, 6, 8, 0},
    {5, 6, 8, 0}, {6, 7, 8, 0}, {7, 15, 12, 0}, {64, 15, 12, 0}, {135, 15, 12, 0}, {133, 9, 12, 0},
    {134, 10, 12, 0}, {72, 11, 102, 0}, {12, 11, 0xFFFFFFFF, 0}, {8204, 11, 0xFFFFFFFF, 0},
    {201, 13, 0xFFFFFFFF, 0}, {203, 13, 0xFFFFFFFF, 0x0002}, {205, 14, 0xFFFFFFFF, 0}, {10, 5, 4, 0},
    {19, 5, 4, 0}, {11, 8, 2, 0}, {14, 16, 16, 0}, {131, 16, 16, 0}, {139, 16, 16, 0}, {17, 1, 1, 0},
    {18, 3, 2, 0}, {20, 17, 8, 0}, {21, 18, 8, 0},
};

// Code, type options of texts (value type 11) whose length follows from the defined size.
const uint32_t kCharacterRows[][2] = {{8, 0x0002}, {130, 0x0002}, {202, 0x0002}, {129, 0},
                                      {200, 0},     {141, 0},      {132, 0x0200}};
const uint32_t kByteStringRows[][2] = {{128, 0x0001}, {204, 0x0001}};

// Defined size, length.
const std::vector<std::pair<int32_t, uint32_t>> kCharacterLengths = {
    {0, 512}, {1, 4}, {50, 102}, {255, 512}, {0x7FFFFFFE, 0xFFFFFFFE}, {0x7FFFFFFF, 512}, {-1, 512}, {INT_MIN, 512},
};
const std::vector<std::pair<int32_t, uint32_t>> kByteStringLengths = {
    {0, 1022}, {1, 6}, {16, 66}, {0x3FFFFFFE, 0xFFFFFFFA}, {0x3FFFFFFF, 1022}, {0x7FFFFFFF, 1022}, {-1, 1022},
};

using Mapped = std::tuple<bool, uint32_t, uint32_t, uint32_t>;  // described, value type, length, options

// Outputs start as garbage so that every one of them must be written.
Mapped Map(uint32_t code, int32_t definedSize) {
    Mapped mapped{false, 0xDEAD, 0xDEAD, 0xFFFF};
    std::get<0>(mapped) = MapAdoType(code, definedSize, std::get<1>(mapped), std::get<2>(mapped), std::get<3>(mapped));
    return mapped;
}

TEST(AdoTypeMapping, EveryListedCode) {
    for (const auto& row : kFixedRows)
        for (int32_t size : {255, 0, -1, 0x7FFFFFFF})
            EXPECT_EQ(Map(row[0], size), Mapped(true, row[1], row[2], row[3])) << "code " << row[0] << " size " << size;
    const auto checkSized = [](const uint32_t(&row)[2], const std::vector<std::pair<int32_t, uint32_t>>& lengths) {
        for (const auto& [size, length] : lengths)
            EXPECT_EQ(Map(row[0], size), Mapped(true, 11, length, row[1])) << "code " << row[0] << " size " << size;
    };
    for (const auto& row : kCharacterRows) checkSized(row, kCharacterLengths);
    for (const auto& row : kByteStringRows) checkSized(row, kByteStringLengths);
}

TEST(AdoTypeMapping, OnlyListedCodesAreDescribedAndOthersReported) {
    std::set<uint32_t> listed;
    for (const auto& row : kFixedRows) listed.insert(row[0]);
    for (const auto& row : kCharacterRows) listed.insert(row[0]);
    for (const auto& row : kByteStringRows) listed.insert(row[0]);
    const std::vector<std::wstring> noReport, refusalReport{L"adoconvert|false"};
    ReportedAssertions assertions;
    std::vector<uint32_t> codes{0x4000u, 0x400Cu, 0x600Cu, 0xA00Cu, 0x1000Cu, 0x7FFFFFFFu, 0x8000200Cu, 0xFFFFFFFFu};
    for (uint32_t code = 0; code <= 0x2100; ++code) codes.push_back(code);
    for (uint32_t code : codes) {
        const Mapped mapped = Map(code, 255);
        const bool isListed = listed.count(code) == 1;
        EXPECT_EQ(std::get<0>(mapped), isListed) << "code " << code;
        if (!isListed) {
            EXPECT_EQ(mapped, Mapped(false, noValueType, 0, 0)) << "code " << code;
        }
        EXPECT_EQ(assertions.Take(), isListed ? noReport : refusalReport) << "code " << code;
    }
}

}  // namespace
