// The logon dialog description and the comparison of logon records, through the exports, with
// records laid out, built and read the way the engine does, independent of the driver's own.

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <tuple>
#include <vector>

#include "support/driverDll.h"

namespace {

struct EngineCollection;
struct EngineValue {
    uint32_t size, kind, valueType;
    const void* data;
};
struct EngineProperty {
    uint32_t size;
    const wchar_t *name, *displayName, *description;
    uint32_t valueType;
    EngineValue* value;
    uint32_t flags;
    EngineCollection* children;
};
struct EngineCollection {
    uint32_t size, count;
    EngineProperty** items;
};
struct EngineLogonInfo {
    EngineCollection* properties;
    wchar_t* text;
    EngineValue* value;
    uint32_t reserved, size;
    uint16_t ownsText;
};

// Owns the records of engine-built logon records; texts must outlive it.
class EngineLogonBuilder {
public:
    // A string property (empty for a null text), or with children a group without value.
    EngineProperty* Prop(const wchar_t* name, const wchar_t* text,
                         std::initializer_list<EngineProperty*> children = {}) {
        const uint32_t type = children.size() ? 255 : 11;
        EngineValue* value = &values_.emplace_back(EngineValue{24, text ? 1u : 0u, type, text});
        EngineCollection* collection = children.size() ? Collection(children) : nullptr;
        return &properties_.emplace_back(EngineProperty{64, name, nullptr, nullptr, type, value, 0, collection});
    }
    // A dialog tab whose fields are the given properties.
    EngineProperty* Tab(std::initializer_list<EngineProperty*> fields) {
        return Prop(L"Connection", nullptr,
                    {Prop(L"PropInfo_Tab", nullptr), Prop(L"PropInfo_TabProperties", nullptr, fields)});
    }
    EngineLogonInfo* Logon(std::initializer_list<EngineProperty*> properties, bool withCollection = true) {
        EngineCollection* collection = withCollection ? Collection(properties) : nullptr;
        return &logons_.emplace_back(EngineLogonInfo{collection, nullptr, nullptr, 0, 40, 1});
    }

private:
    EngineCollection* Collection(std::initializer_list<EngineProperty*> items) {
        std::vector<EngineProperty*>& array = arrays_.emplace_back(items);
        return &collections_.emplace_back(
            EngineCollection{16, static_cast<uint32_t>(array.size()), array.empty() ? nullptr : array.data()});
    }

    std::deque<EngineValue> values_;
    std::deque<EngineProperty> properties_;
    std::deque<std::vector<EngineProperty*>> arrays_;
    std::deque<EngineCollection> collections_;
    std::deque<EngineLogonInfo> logons_;
};

std::wstring Shown(const wchar_t* text) { return text ? text : L"(null)"; }

// One line per property, depth first, indented by depth:
// name|display name|description|value type|flags|value ("-" when empty, else type:content).
std::vector<std::wstring> Describe(const EngineCollection* collection, const std::wstring& indent = L"") {
    std::vector<std::wstring> lines;
    for (uint32_t i = 0; collection && i < collection->count; ++i) {
        const EngineProperty& property = *collection->items[i];
        const EngineValue* value = property.value;
        std::wstring content = value ? L"-" : L"(null)";
        if (value && value->kind == 1)
            content = std::to_wstring(value->valueType) + L":" +
                      (value->valueType == 5 ? std::to_wstring(*static_cast<const uint32_t*>(value->data))
                                             : Shown(static_cast<const wchar_t*>(value->data)));
        lines.push_back(indent + Shown(property.name) + L"|" + Shown(property.displayName) + L"|" +
                        Shown(property.description) + L"|" + std::to_wstring(property.valueType) + L"|" +
                        std::to_wstring(property.flags) + L"|" + content);
        for (const std::wstring& line : Describe(property.children, indent + L"  ")) lines.push_back(line);
    }
    return lines;
}

using DbFetchLogonUIInfoFn = int32_t (*)(void*, EngineLogonInfo*, void*, const wchar_t*, EngineLogonInfo**);
using DbMatchLogonInfoFn = int32_t (*)(EngineLogonInfo*, EngineLogonInfo*, void*, void*, const wchar_t*, void*,
                                       uint16_t*);
using DbFreeLogonInfoFn = int32_t (*)(EngineLogonInfo*);

class LogonExports : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(initialize(nullptr, L""), 0); }
    void TearDown() override { EXPECT_EQ(terminate(), 0); }

    // The dialog described for the record in the language, freed again.
    std::vector<std::wstring> Dialog(EngineLogonInfo* logon, const wchar_t* language = L"") {
        EngineLogonInfo* dialog = nullptr;
        EXPECT_EQ(fetchLogonUIInfo(nullptr, logon, nullptr, language, &dialog), 0);
        if (!dialog) return {};
        EXPECT_EQ(dialog->size, 40u);
        EXPECT_EQ(dialog->ownsText, 1);
        std::vector<std::wstring> lines = Describe(dialog->properties);
        EXPECT_EQ(freeLogonInfo(dialog), 0);
        return lines;
    }

    // The value column of the dialog's Program ID field.
    std::wstring ProgramIdField(EngineLogonInfo* logon) {
        const std::vector<std::wstring> lines = Dialog(logon);
        return lines.size() == 6 ? lines[4].substr(lines[4].rfind(L'|') + 1) : L"(no field)";
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

// The driver carries English texts only, so another language shows them too.
TEST_F(LogonExports, TheDialogDescriptionAsTheEngineWalksIt) {
    const std::vector<std::wstring> expected = {
        L"PropInfo_DialogCaption|(null)|(null)|11|0|11:COM Connectivity",
        L"Connection|(null)|Please enter connection information...|255|0|-",
        L"  PropInfo_Tab|(null)|(null)|255|0|-",
        L"  PropInfo_TabProperties|(null)|(null)|255|0|-",
        L"    Program ID|Program ID|(null)|11|0|-",
        L"      PropInfo_UiControlType|(null)|(null)|5|0|5:1",
    };
    for (const wchar_t* language : {L"en-US", L"de-DE"}) EXPECT_EQ(Dialog(engine.Logon({}), language), expected);
}

TEST_F(LogonExports, TheProgramIdIsFoundWhereTheEngineMayKeepIt) {
    struct Case {
        const char* where;
        EngineLogonInfo* logon;
        const wchar_t* field;
    };
    const Case cases[] = {
        {"top level, lower case", engine.Logon({engine.Prop(L"program id", L"Sales.Provider")}), L"11:Sales.Provider"},
        {"second name, then the name",
         engine.Logon({engine.Prop(L"PreQEServerName", L"A"), engine.Prop(L"Program ID", L"B")}), L"11:B"},
        {"the name, then the second name",
         engine.Logon({engine.Prop(L"Program ID", L"B"), engine.Prop(L"PREQESERVERNAME", L"A")}), L"11:A"},
        {"a later empty match wins",
         engine.Logon({engine.Prop(L"Program ID", L"B"), engine.Prop(L"PreQEServerName", nullptr)}), L"-"},
        {"under a tab, which hides the top level",
         engine.Logon({engine.Prop(L"Program ID", L"Outside"), engine.Tab({engine.Prop(L"PROGRAM ID", L"Inside")})}),
         L"11:Inside"},
        {"without tabs only the top level counts",
         engine.Logon({engine.Prop(L"Other", nullptr, {engine.Prop(L"Program ID", L"Nested")})}), L"-"},
        {"no Program ID", engine.Logon({engine.Prop(L"Connection", L"x")}), L"-"},
    };
    for (const Case& entry : cases) EXPECT_EQ(ProgramIdField(entry.logon), entry.field) << entry.where;
}

TEST_F(LogonExports, RecordsMatchWhenTheirProgramIdsAreEqualIgnoringCase) {
    EngineLogonInfo* sales = engine.Logon({engine.Prop(L"Program ID", L"Sales.Provider")});
    EngineLogonInfo* salesUpper = engine.Logon({engine.Tab({engine.Prop(L"Program ID", L"SALES.PROVIDER")})});
    EngineLogonInfo* salesClsid =
        engine.Logon({engine.Prop(L"Program ID", L"{6D1C7A1E-4C5B-4F55-9A43-21B2F0C1A001}")});
    EngineLogonInfo* none = engine.Logon({engine.Prop(L"Other", L"Sales.Provider")});
    EXPECT_EQ(Match(sales, salesUpper), 1);
    EXPECT_EQ(Match(sales, salesClsid), 0);
    EXPECT_EQ(Match(none, engine.Logon({})), 1);
    EXPECT_EQ(Match(sales, none), 0);
}

}  // namespace
