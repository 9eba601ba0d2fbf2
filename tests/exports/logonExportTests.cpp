// The logon dialog description and the comparison of logon records, through the exports, with
// records built and read the way the engine builds and reads them.

#include <gtest/gtest.h>

#include <string>

#include "engineLogonRecords.h"
#include "support/driverDll.h"

namespace {

using DbFetchLogonUIInfoFn = int32_t (*)(void*, EngineLogonInfo*, void*, const wchar_t*, EngineLogonInfo**);
using DbMatchLogonInfoFn = int32_t (*)(EngineLogonInfo*, EngineLogonInfo*, void*, void*, const wchar_t*, void*,
                                       uint16_t*);
using DbFreeLogonInfoFn = int32_t (*)(EngineLogonInfo*);

const EngineProperty& Child(const EngineProperty& parent, uint32_t index) {
    static const EngineProperty missing = {};
    if (!parent.children || index >= parent.children->count) {
        ADD_FAILURE() << "no child " << index;
        return missing;
    }
    return *parent.children->items[index];
}

std::wstring Text(const wchar_t* text) { return text ? text : L"(null)"; }

class LogonExports : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(initialize(nullptr, L""), 0); }
    void TearDown() override { EXPECT_EQ(terminate(), 0); }

    // The Program ID field of the dialog built for the record; "(no value)" when it has none.
    std::wstring ProgramIdField(EngineLogonInfo* logon) {
        EngineLogonInfo* dialog = nullptr;
        EXPECT_EQ(fetchLogonUIInfo(nullptr, logon, nullptr, L"", &dialog), 0);
        if (!dialog || dialog->properties->count != 2) return L"(no dialog)";
        const EngineProperty& field = Child(Child(*dialog->properties->items[1], 1), 0);
        std::wstring text = field.value && field.value->kind == 1
                                ? static_cast<const wchar_t*>(field.value->data)
                                : L"(no value)";
        EXPECT_EQ(freeLogonInfo(dialog), 0);
        return text;
    }

    uint16_t Match(EngineLogonInfo* a, EngineLogonInfo* b) {
        uint16_t isMatch = 7;
        int marker = 0;
        EXPECT_EQ(matchLogonInfo(a, b, nullptr, nullptr, L"", &marker, &isMatch), 0);
        return isMatch;
    }

    DriverDll dll;
    DbInitializeFn initialize = dll.Export<DbInitializeFn>("DbInitialize");
    DbTerminateFn terminate = dll.Export<DbTerminateFn>("DbTerminate");
    DbFetchLogonUIInfoFn fetchLogonUIInfo = dll.Export<DbFetchLogonUIInfoFn>("DbFetchLogonUIInfo");
    DbMatchLogonInfoFn matchLogonInfo = dll.Export<DbMatchLogonInfoFn>("DbMatchLogonInfo");
    DbFreeLogonInfoFn freeLogonInfo = dll.Export<DbFreeLogonInfoFn>("DbFreeLogonInfo");
    EngineLogonBuilder engine;
};

TEST_F(LogonExports, TheDialogDescriptionAsTheEngineWalksIt) {
    EngineLogonInfo* dialog = nullptr;
    ASSERT_EQ(fetchLogonUIInfo(nullptr, engine.Logon({}), nullptr, L"en-US", &dialog), 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->size, 40u);
    EXPECT_EQ(dialog->ownsText, 1);
    EXPECT_EQ(dialog->text, nullptr);
    EXPECT_EQ(dialog->value, nullptr);
    ASSERT_NE(dialog->properties, nullptr);
    ASSERT_EQ(dialog->properties->count, 2u);

    const EngineProperty& caption = *dialog->properties->items[0];
    EXPECT_EQ(caption.size, 64u);
    EXPECT_EQ(Text(caption.name), L"PropInfo_DialogCaption");
    EXPECT_EQ(caption.displayName, nullptr);
    EXPECT_EQ(caption.description, nullptr);
    EXPECT_EQ(caption.valueType, 11u);
    ASSERT_NE(caption.value, nullptr);
    EXPECT_EQ(caption.value->kind, 1u);
    EXPECT_EQ(Text(static_cast<const wchar_t*>(caption.value->data)), L"COM Connectivity");
    EXPECT_EQ(caption.children, nullptr);

    const EngineProperty& tab = *dialog->properties->items[1];
    EXPECT_EQ(Text(tab.name), L"Connection");
    EXPECT_EQ(Text(tab.description), L"Please enter connection information...");
    EXPECT_EQ(tab.valueType, 255u);
    ASSERT_NE(tab.value, nullptr);
    EXPECT_EQ(tab.value->kind, 0u);
    ASSERT_NE(tab.children, nullptr);
    ASSERT_EQ(tab.children->count, 2u);
    EXPECT_EQ(Text(Child(tab, 0).name), L"PropInfo_Tab");
    EXPECT_EQ(Child(tab, 0).children, nullptr);

    const EngineProperty& fields = Child(tab, 1);
    EXPECT_EQ(Text(fields.name), L"PropInfo_TabProperties");
    EXPECT_EQ(fields.value->kind, 0u);
    ASSERT_EQ(fields.children->count, 1u);

    const EngineProperty& programId = Child(fields, 0);
    EXPECT_EQ(Text(programId.name), L"Program ID");
    EXPECT_EQ(Text(programId.displayName), L"Program ID");
    EXPECT_EQ(programId.description, nullptr);
    EXPECT_EQ(programId.valueType, 11u);
    EXPECT_EQ(programId.value->kind, 0u);
    EXPECT_EQ(programId.flags, 0u);
    ASSERT_EQ(programId.children->count, 1u);

    const EngineProperty& control = Child(programId, 0);
    EXPECT_EQ(Text(control.name), L"PropInfo_UiControlType");
    EXPECT_EQ(control.valueType, 5u);
    ASSERT_EQ(control.value->kind, 1u);
    EXPECT_EQ(control.value->valueType, 5u);
    EXPECT_EQ(*static_cast<const uint32_t*>(control.value->data), 1u);
    EXPECT_EQ(control.children, nullptr);

    EXPECT_EQ(freeLogonInfo(dialog), 0);
}

TEST_F(LogonExports, AnotherLanguageWithoutItsOwnTextsShowsTheEnglishOnes) {
    EngineLogonInfo* dialog = nullptr;
    ASSERT_EQ(fetchLogonUIInfo(nullptr, engine.Logon({}), nullptr, L"de-DE", &dialog), 0);
    const EngineProperty& programId = Child(Child(*dialog->properties->items[1], 1), 0);
    EXPECT_EQ(Text(programId.displayName), L"Program ID");
    EXPECT_EQ(freeLogonInfo(dialog), 0);
}

TEST_F(LogonExports, TheProgramIdIsFoundWhereTheEngineMayKeepIt) {
    struct Case {
        const char* where;
        EngineLogonInfo* logon;
        const wchar_t* programId;
    };
    const Case cases[] = {
        {"top level, lower case", engine.Logon({engine.Text(L"program id", L"Sales.Provider")}), L"Sales.Provider"},
        {"second name, then the name",
         engine.Logon({engine.Text(L"PreQEServerName", L"A"), engine.Text(L"Program ID", L"B")}), L"B"},
        {"the name, then the second name",
         engine.Logon({engine.Text(L"Program ID", L"B"), engine.Text(L"PREQESERVERNAME", L"A")}), L"A"},
        {"a later empty match wins",
         engine.Logon({engine.Text(L"Program ID", L"B"), engine.Text(L"PreQEServerName", nullptr)}), L"(no value)"},
        {"under a tab, which hides the top level",
         engine.Logon({engine.Text(L"Program ID", L"Outside"), engine.Tab({engine.Text(L"PROGRAM ID", L"Inside")})}),
         L"Inside"},
        {"without tabs only the top level counts",
         engine.Logon({engine.Group(L"Other", {engine.Text(L"Program ID", L"Nested")})}), L"(no value)"},
        {"no Program ID", engine.Logon({engine.Text(L"Connection", L"x")}), L"(no value)"},
    };
    for (const Case& entry : cases) EXPECT_EQ(ProgramIdField(entry.logon), entry.programId) << entry.where;
}

TEST_F(LogonExports, RecordsMatchWhenTheirProgramIdsAreEqualIgnoringCase) {
    EngineLogonInfo* sales = engine.Logon({engine.Text(L"Program ID", L"Sales.Provider")});
    EngineLogonInfo* salesUpper = engine.Logon({engine.Tab({engine.Text(L"Program ID", L"SALES.PROVIDER")})});
    EngineLogonInfo* salesClsid =
        engine.Logon({engine.Text(L"Program ID", L"{6D1C7A1E-4C5B-4F55-9A43-21B2F0C1A001}")});
    EngineLogonInfo* none = engine.Logon({engine.Text(L"Other", L"Sales.Provider")});
    EngineLogonInfo* empty = engine.Logon({});

    EXPECT_EQ(Match(sales, salesUpper), 1);
    EXPECT_EQ(Match(sales, salesClsid), 0);
    EXPECT_EQ(Match(none, empty), 1);
    EXPECT_EQ(Match(sales, none), 0);

    // The engine hands back the dialog description it was given.
    EngineLogonInfo* dialog = nullptr;
    ASSERT_EQ(fetchLogonUIInfo(nullptr, sales, nullptr, L"", &dialog), 0);
    EXPECT_EQ(Match(dialog, salesUpper), 1);
    EXPECT_EQ(Match(dialog, salesClsid), 0);
    EXPECT_EQ(freeLogonInfo(dialog), 0);
}

TEST_F(LogonExports, MissingRecordsAndCollectionsAreInvalidArguments) {
    EngineLogonInfo* logon = engine.Logon({engine.Text(L"Program ID", L"Sales.Provider")});
    EngineLogonInfo* bare = engine.LogonWithoutCollection();
    int marker = 0;

    EngineLogonInfo* dialog = reinterpret_cast<EngineLogonInfo*>(&marker);
    EXPECT_EQ(fetchLogonUIInfo(nullptr, nullptr, nullptr, L"", &dialog), 12);
    EXPECT_EQ(dialog, nullptr);
    dialog = reinterpret_cast<EngineLogonInfo*>(&marker);
    EXPECT_EQ(fetchLogonUIInfo(nullptr, bare, nullptr, L"", &dialog), 12);
    EXPECT_EQ(dialog, nullptr);
    EXPECT_EQ(fetchLogonUIInfo(nullptr, logon, nullptr, L"", nullptr), 12);

    struct Case {
        EngineLogonInfo* a;
        EngineLogonInfo* b;
        void* required6;
    };
    for (const Case& entry : {Case{nullptr, logon, &marker}, Case{logon, nullptr, &marker},
                              Case{logon, logon, nullptr}, Case{logon, bare, &marker}, Case{bare, logon, &marker}}) {
        uint16_t isMatch = 1;
        EXPECT_EQ(matchLogonInfo(entry.a, entry.b, nullptr, nullptr, L"", entry.required6, &isMatch), 12);
        EXPECT_EQ(isMatch, 0);
    }
    EXPECT_EQ(matchLogonInfo(logon, logon, nullptr, nullptr, L"", &marker, nullptr), 12);

    EXPECT_EQ(freeLogonInfo(nullptr), 0);
}

}  // namespace
