// ADO data types and automation VARTYPEs described as engine fields.

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <set>
#include <vector>

#include "ado/adoconvert.h"
#include "common/dbvalue.h"
#include "reportedAssertions.h"

namespace {

enum class Rule { fixed, character, byteString };

struct MappingRow {
    uint32_t code;
    uint32_t valueType;
    Rule rule;
    uint32_t length;  // for Rule::fixed
    uint32_t options;
};

const MappingRow kMappings[] = {
    {0, 11, Rule::fixed, 510, 0x0002},     {138, 11, Rule::fixed, 510, 0x0002},
    {2, 2, Rule::fixed, 2, 0},             {16, 2, Rule::fixed, 2, 0},
    {3, 4, Rule::fixed, 4, 0},             {4, 6, Rule::fixed, 8, 0},
    {5, 6, Rule::fixed, 8, 0},             {6, 7, Rule::fixed, 8, 0},
    {7, 15, Rule::fixed, 12, 0},           {64, 15, Rule::fixed, 12, 0},
    {135, 15, Rule::fixed, 12, 0},         {133, 9, Rule::fixed, 12, 0},
    {134, 10, Rule::fixed, 12, 0},         {8, 11, Rule::character, 0, 0x0002},
    {130, 11, Rule::character, 0, 0x0002}, {202, 11, Rule::character, 0, 0x0002},
    {129, 11, Rule::character, 0, 0},      {200, 11, Rule::character, 0, 0},
    {141, 11, Rule::character, 0, 0},      {132, 11, Rule::character, 0, 0x0200},
    {72, 11, Rule::fixed, 102, 0},         {12, 11, Rule::fixed, 0xFFFFFFFF, 0},
    {8204, 11, Rule::fixed, 0xFFFFFFFF, 0}, {128, 11, Rule::byteString, 0, 0x0001},
    {204, 11, Rule::byteString, 0, 0x0001}, {201, 13, Rule::fixed, 0xFFFFFFFF, 0},
    {203, 13, Rule::fixed, 0xFFFFFFFF, 0x0002}, {205, 14, Rule::fixed, 0xFFFFFFFF, 0},
    {10, 5, Rule::fixed, 4, 0},            {19, 5, Rule::fixed, 4, 0},
    {11, 8, Rule::fixed, 2, 0},            {14, 16, Rule::fixed, 16, 0},
    {131, 16, Rule::fixed, 16, 0},         {139, 16, Rule::fixed, 16, 0},
    {17, 1, Rule::fixed, 1, 0},            {18, 3, Rule::fixed, 2, 0},
    {20, 17, Rule::fixed, 8, 0},           {21, 18, Rule::fixed, 8, 0},
};

struct SizedLength {
    int32_t definedSize;
    uint32_t length;
};

const std::vector<SizedLength> kCharacterLengths = {
    {0, 512}, {1, 4}, {50, 102}, {255, 512}, {0x7FFFFFFE, 0xFFFFFFFE}, {0x7FFFFFFF, 512}, {-1, 512}, {INT_MIN, 512},
};

const std::vector<SizedLength> kByteStringLengths = {
    {0, 1022}, {1, 6}, {16, 66}, {0x3FFFFFFE, 0xFFFFFFFA}, {0x3FFFFFFF, 1022}, {0x7FFFFFFF, 1022}, {-1, 1022},
};

struct Mapped {
    bool described;
    uint32_t valueType;
    uint32_t length;
    uint32_t options;
};

// Outputs start as garbage so that every one of them must be written.
Mapped Map(uint32_t code, int32_t definedSize) {
    Mapped mapped{false, 0xDEAD, 0xDEAD, 0xFFFF};
    mapped.described = MapAdoType(code, definedSize, mapped.valueType, mapped.length, mapped.options);
    return mapped;
}

TEST(AdoTypeMapping, EveryListedCode) {
    for (const MappingRow& row : kMappings) {
        SCOPED_TRACE(testing::Message() << "code " << row.code);
        if (row.rule == Rule::fixed) {
            for (int32_t size : {255, 0, -1, 0x7FFFFFFF}) {
                const Mapped mapped = Map(row.code, size);
                EXPECT_TRUE(mapped.described);
                EXPECT_EQ(mapped.valueType, row.valueType);
                EXPECT_EQ(mapped.length, row.length) << "size " << size;
                EXPECT_EQ(mapped.options, row.options);
            }
            continue;
        }
        const auto& lengths = row.rule == Rule::character ? kCharacterLengths : kByteStringLengths;
        for (const SizedLength& sized : lengths) {
            const Mapped mapped = Map(row.code, sized.definedSize);
            EXPECT_TRUE(mapped.described);
            EXPECT_EQ(mapped.valueType, row.valueType);
            EXPECT_EQ(mapped.length, sized.length) << "size " << sized.definedSize;
            EXPECT_EQ(mapped.options, row.options);
        }
    }
}

TEST(AdoTypeMapping, OnlyListedCodesAreDescribed) {
    std::set<uint32_t> listed;
    for (const MappingRow& row : kMappings) listed.insert(row.code);
    auto check = [&](uint32_t code) {
        const Mapped mapped = Map(code, 255);
        EXPECT_EQ(mapped.described, listed.count(code) == 1) << "code " << code;
        if (!mapped.described) {
            EXPECT_EQ(mapped.valueType, static_cast<uint32_t>(noValueType)) << "code " << code;
            EXPECT_EQ(mapped.length, 0u) << "code " << code;
            EXPECT_EQ(mapped.options, 0u) << "code " << code;
        }
    };
    for (uint32_t code = 0; code <= 0x2100; ++code) check(code);
    for (uint32_t code : {0x4000u, 0x400Cu, 0x600Cu, 0xA00Cu, 0x1000Cu, 0x7FFFFFFFu, 0x8000200Cu, 0xFFFFFFFFu})
        check(code);
}

TEST(AdoTypeMapping, RefusedCodesReportTheAssertion) {
    ReportedAssertions assertions;
    for (uint32_t code : {1u, 9u, 13u, 15u, 22u, 23u, 63u, 65u, 71u, 73u, 127u, 136u, 137u, 140u, 142u, 199u, 206u,
                          8192u, 8195u, 0xFFFFFFFFu}) {
        EXPECT_FALSE(Map(code, 255).described) << "code " << code;
        EXPECT_EQ(assertions.Take(), std::vector<std::wstring>{L"adoconvert|false"}) << "code " << code;
    }
    EXPECT_TRUE(Map(8, 255).described);
    EXPECT_TRUE(assertions.Take().empty());
}

}  // namespace
