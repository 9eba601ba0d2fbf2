// Record mode: rowsets of providers listed for hierarchical records walk a tree of records in
// pre-order, reading the innermost rowset's row; providers listed for custom fields read every
// value through the row's ADODB.Record. Records come from the test's record class.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ado/adoExports.h"
#include "ado/fieldBinding.h"
#include "ado/openrowseth.h"
#include "ado/providerLists.h"
#include "ado/recordReading.h"
#include "common/resultCodes.h"
#include "support/classRegistration.h"
#include "support/errorRecords.h"
#include "support/registryValue.h"
#include "support/recordsetBuilder.h"
#include "support/scriptableRecord.h"
#include "support/scriptableRecordset.h"
#include "support/variantValues.h"

namespace {

constexpr wchar_t kRecordProgId[] = L"ADODB.Record";
constexpr int32_t kToR4 = 5;  // DbReadRecord's mode 5, with the bookmark of R4

ComPtr<_Recordset> Rows(std::vector<const wchar_t*> names) {
    std::vector<std::vector<Variant>> rows;
    LONG size = 0;
    for (const wchar_t* name : names) rows.push_back({Text(name), I4(++size)});
    return BuildRecordset({{L"Name", adVarWChar, 10}, {L"Size", adInteger, 4}}, rows);
}

// R1 with children C1 (with children G1, G2) and C2; R2 a simple record; R3 a record whose
// children are none; R4 a structured document with child C3.
struct RecordTree {
    explicit RecordTree(const wchar_t* hierarchicalProviders = L"TREE", const wchar_t* customProviders = L"NONE")
        : hierarchical(HKEY_CURRENT_USER, kHierarchicalRecordProviders, hierarchicalProviders),
          custom(HKEY_CURRENT_USER, kCustomFieldsProviders, customProviders) {
        top.SetActiveConnection(Text(L"Provider=TREE.1"));
        records.Describe(L"R1", adCollectionRecord, children);
        records.Describe(L"C1", adCollectionRecord, grandchildren);
        records.Describe(L"R3", adCollectionRecord, empty);
        records.Describe(L"R4", adStructDoc, lastChildren);
        records.LogReleasesTo(released);
        top.LogReleasesTo(released, "R");
        children.LogReleasesTo(released, "C");
        grandchildren.LogReleasesTo(released, "G");
        registration.emplace(records, kRecordProgId, FreshClsid());
    }

    std::vector<std::string> released;
    ProviderListValue hierarchical, custom;
    ScriptableRecordset grandchildren{Rows({L"G1", L"G2"})};
    ScriptableRecordset children{Rows({L"C1", L"C2"})};
    ScriptableRecordset empty{Rows({})};
    ScriptableRecordset lastChildren{Rows({L"C3"})};
    ScriptableRecordset top{Rows({L"R1", L"R2", L"R3", L"R4"})};
    ScriptableRecordClass records;
    std::optional<ClassRegistration> registration;
    std::unique_ptr<DbOpenRowsetHandle> rowset = std::make_unique<DbOpenRowsetHandle>(ComPtr<_Recordset>(top));
};

DbFieldBinding BindName(const wchar_t* name) {
    DbFieldBinding binding;
    binding.name = name;
    return binding;
}

// The binding's value on the row the engine reads, as text, or "#" and the failure's code.
std::wstring Read(DbOpenRowsetHandle& rowset, const DbFieldBinding& binding, DbErrorInfo** errors) {
    Variant value, text;
    const int32_t result = DbReadVariantColumnValue(&rowset, &binding, nullptr, nullptr, value.Get(), errors);
    if (result != DbSuccess) return L"#" + std::to_wstring(result);
    EXPECT_EQ(VariantChangeType(text.Get(), value.Get(), 0, VT_BSTR), S_OK);
    return text.Get()->bstrVal;
}

int32_t Move(DbOpenRowsetHandle& rowset, int32_t mode, DbErrorInfo** errors, const DbBookmark* bookmark = nullptr) {
    const DbReadRequest request{0, 0};
    return DbReadRecord(&rowset, mode, bookmark, &request, errors);
}

struct Step {
    int32_t mode;
    int32_t result;
    const wchar_t* name;  // read after the move when it gives 0
    size_t errorRecords = 0;  // of the move and the read
};

void Walk(RecordTree& tree, const std::vector<Step>& steps, const DbBookmark* bookmark = nullptr) {
    const DbFieldBinding name = BindName(L"Name");
    ErrorList first;
    EXPECT_EQ(Read(*tree.rowset, name, &first.head), L"R1")
        << "where the query left the rowset " << RecordTexts(first.head);
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& step = steps[i];
        ErrorList errors;
        EXPECT_EQ(Move(*tree.rowset, step.mode, &errors.head, bookmark), step.result) << "step " << i;
        if (step.result == DbSuccess) {
            EXPECT_EQ(Read(*tree.rowset, name, &errors.head), step.name) << "step " << i;
        }
        EXPECT_EQ(errors.Count(), step.errorRecords) << "step " << i << ": " << RecordTexts(errors.head);
    }
}

TEST(HierarchicalRecords, PreOrderForwardDeepestLastBackwardAndBookmarkLeavingTheChain) {
    RecordTree tree;
    DbBookmark r4{};
    const ComPtr<_Recordset> top(tree.top);
    for (int row = 1; row < 4; ++row) ASSERT_EQ(top->MoveNext(), S_OK);
    ASSERT_EQ(top->get_Bookmark(&r4.bookmark), S_OK);
    ASSERT_EQ(top->MoveFirst(), S_OK);

    Walk(tree, {{DbReadNext, DbSuccess, L"C1"},  {DbReadNext, DbSuccess, L"G1"},
                // The first row from two levels down, and back past the start from a child.
                {DbReadFirst, DbSuccess, L"R1"},  {DbReadNext, DbSuccess, L"C1"},
                // Forward from before the start, no record opens there: its failure is reported.
                {DbReadPrevious, DbNoMoreRecords, nullptr},  {DbReadNext, DbSuccess, L"R1", 1},
                {DbReadNext, DbSuccess, L"C1"},  {DbReadNext, DbSuccess, L"G1"},
                {DbReadNext, DbSuccess, L"G2"},  {DbReadNext, DbSuccess, L"C2"},
                {DbReadNext, DbSuccess, L"R2"},  {DbReadNext, DbSuccess, L"R3"},  // R3's children are none
                {DbReadNext, DbSuccess, L"R4"},  {DbReadNext, DbSuccess, L"C3"},
                {DbReadNext, DbNoMoreRecords, nullptr},
                {DbReadLast, DbSuccess, L"C3"},
                // Back from a first child to the previous row's deepest last descendant: rows
                // with children are not visited backwards.
                {DbReadPrevious, DbSuccess, L"R3"},  {DbReadPrevious, DbSuccess, L"R2"},
                {DbReadPrevious, DbSuccess, L"C2"},  {DbReadPrevious, DbSuccess, L"G2"},
                {DbReadPrevious, DbSuccess, L"G1"},  {DbReadPrevious, DbNoMoreRecords, nullptr},
                {DbReadFirst, DbSuccess, L"R1"},     {DbReadNext, DbSuccess, L"C1"},
                {DbReadNext, DbSuccess, L"G1"},
                // The bookmark moves the top rowset only: the engine still reads G1, and the
                // walk ends below R4 once the chain runs out.
                {kToR4, DbSuccess, L"G1"},           {DbReadNext, DbSuccess, L"G2"},
                {DbReadNext, DbSuccess, L"C2"},      {DbReadNext, DbNoMoreRecords, nullptr}},
         &r4);
    VariantClear(&r4.bookmark);
    tree.rowset.reset();
    EXPECT_EQ(tree.top.Script().Calls("_Recordset::get_ActiveConnection"), 1) << "once for both lists";
    for (ScriptableRecordset* child : {&tree.children, &tree.grandchildren, &tree.empty, &tree.lastChildren})
        EXPECT_EQ(child->Script().Calls("_Recordset::get_ActiveConnection"), 0) << "children take the answers";
}

TEST(HierarchicalRecords, ClosingTwoLevelsDownReleasesTheInnermostRecordAndRecordsetFirst) {
    RecordTree tree;
    Walk(tree, {{DbReadNext, DbSuccess, L"C1"}, {DbReadNext, DbSuccess, L"G1"}});
    EXPECT_EQ(tree.records.Created(), 3u) << "one record per rowset, reopened on each row";
    tree.released.clear();
    tree.rowset.reset();
    EXPECT_EQ(tree.released, (std::vector<std::string>{"record 3", "G", "record 2", "C", "record 1", "R"}));
}

struct RecordFailure {
    const char* call;  // "create" for the record's creation (CoCreateInstance)
    HRESULT result;
    const wchar_t* readOnFirstRow;
    int32_t code;  // of the error records
};

// The first read creates and opens the top rowset's record; the move then reopens it to look
// for R1's children. Each failure is reported, R1 gets no child rowset and the walk goes on.
const RecordFailure kRecordFailures[] = {
    {"create", E_OUTOFMEMORY, L"#10", DbOutOfMemory},
    {"create", REGDB_E_CLASSNOTREG, L"#11", DbFailed},
    {"IRunnableObject::Run", E_FAIL, L"#11", DbFailed},  // OleRun
    {"_Record::QueryInterface", E_NOINTERFACE, L"#13", DbNotSupported},
    {"_Record::Open", E_FAIL, L"#11", DbFailed},
    {"_Record::get_State", E_FAIL, L"R1", DbFailed},
    {"_Record::Close", E_NOTIMPL, L"R1", DbNotSupported},
    {"_Record::get_RecordType", E_FAIL, L"R1", DbFailed},
    {"_Record::GetChildren", E_FAIL, L"R1", DbFailed},
};

TEST(HierarchicalRecords, EveryRecordCallFailedOnce) {
    for (const RecordFailure& row : kRecordFailures)
    for (bool withErrorObject : {true, false}) {
        SCOPED_TRACE(testing::Message() << row.call << (withErrorObject ? "" : " without error object"));
        RecordTree tree;
        const std::string call = row.call;
        const bool creation = call == "create";
        if (creation) tree.records.FailCreateInstance(row.result);
        else tree.records.Script().Fail(row.call, row.result, withErrorObject);
        const DbFieldBinding name = BindName(L"Name");
        ErrorList errors;
        EXPECT_EQ(Read(*tree.rowset, name, &errors.head), row.readOnFirstRow);
        EXPECT_EQ(Move(*tree.rowset, DbReadNext, &errors.head), DbSuccess);
        ASSERT_EQ(errors.Count(), std::wstring(row.readOnFirstRow) == L"R1" ? 1u : 2u);
        EXPECT_EQ(errors.head->code, static_cast<uint32_t>(row.code));
        // Only a failing record that offers its error object gives a description.
        const bool described = withErrorObject && call.rfind("_Record::", 0) == 0 && call != "_Record::QueryInterface";
        EXPECT_EQ(RecordTexts(errors.head).find(L"failed on purpose") != std::wstring::npos, described)
            << RecordTexts(errors.head);
        errors.Clear();
        if (creation) tree.records.FailCreateInstance(S_OK);
        else tree.records.Script().Fail(row.call, S_OK);
        EXPECT_EQ(Read(*tree.rowset, name, &errors.head), L"R2");
        EXPECT_EQ(Move(*tree.rowset, DbReadNext, &errors.head), DbSuccess);
        EXPECT_EQ(Read(*tree.rowset, name, &errors.head), L"R3");
        EXPECT_EQ(errors.head, nullptr);
    }
}

// A move of the top rowset that ADO refuses in the middle of the walk, and a value it refuses
// under a record: each is reported, and the walk goes on from the row where it stood.
TEST(HierarchicalRecords, RefusedMovesAndValuesAreReportedAndTheWalkGoesOn) {
    struct Row {
        const char* call;
        int passing;  // the record opening on the row reads its key first
        int32_t move;
        const wchar_t* after;  // the row reached once ADO passes the call again
    };
    for (const Row& row : {Row{"_Recordset::MoveNext", 0, DbReadNext, L"R3"},
                           Row{"_Recordset::MovePrevious", 0, DbReadPrevious, L"C2"},
                           Row{"Field::get_Value", 1, DbReadNext, L"R3"}})
    for (bool withErrorObject : {true, false}) {
        SCOPED_TRACE(testing::Message() << row.call << (withErrorObject ? "" : " without error object"));
        RecordTree tree;
        // R1, C1, G1, G2, C2 and R2: the moves from R2 are the top rowset's own.
        Walk(tree, {{DbReadNext, DbSuccess, L"C1"}, {DbReadNext, DbSuccess, L"G1"}, {DbReadNext, DbSuccess, L"G2"},
                    {DbReadNext, DbSuccess, L"C2"}, {DbReadNext, DbSuccess, L"R2"}});
        const DbFieldBinding name = BindName(L"Name");
        const ULONG references = tree.top.References();
        ErrorList errors;
        tree.top.Script().FailOnce(row.call, E_FAIL, withErrorObject, row.passing);
        if (std::string(row.call) == "Field::get_Value") {
            EXPECT_EQ(Read(*tree.rowset, name, &errors.head), L"#11");
        } else {
            EXPECT_EQ(Move(*tree.rowset, row.move, &errors.head), DbFailed);
        }
        ASSERT_EQ(errors.Count(), 1u);
        EXPECT_EQ(errors.head->code, static_cast<uint32_t>(DbFailed));
        EXPECT_EQ(std::wstring(errors.head->text).find(L"failed on purpose") != std::wstring::npos, withErrorObject)
            << errors.head->text;
        errors.Clear();
        EXPECT_EQ(Move(*tree.rowset, row.move, &errors.head), DbSuccess);
        EXPECT_EQ(Read(*tree.rowset, name, &errors.head), row.after);
        EXPECT_EQ(errors.head, nullptr) << RecordTexts(errors.head);
        EXPECT_EQ(tree.top.References(), references);
    }
}

// Navigation as in recordset mode; every value opens the row's record again.
TEST(CustomFields, EachValueThroughTheRowsRecordAndRowsLackingAField) {
    RecordTree tree(L"NONE", L"TREE");
    tree.top.LackOnRow(L"R2", L"Size");
    const DbFieldBinding name = BindName(L"Name"), size = BindName(L"Size");
    ErrorList errors;
    // Wine has no ADODB.Record: without the test's class the read fails (CLSIDFromProgID), and
    // the record is created once the class is there.
    tree.registration.reset();
    EXPECT_EQ(Read(*tree.rowset, name, &errors.head), L"#11");
    ASSERT_EQ(errors.Count(), 1u);
    errors.Clear();
    tree.registration.emplace(tree.records, kRecordProgId, FreshClsid());
    const std::vector<std::pair<const DbFieldBinding*, const wchar_t*>> reads = {
        {&name, L"R1"}, {&size, L"1"}, {&size, L"1"}, {nullptr, nullptr},
        {&name, L"R2"}, {&size, L"#11"}, {&name, L"R2"}, {nullptr, nullptr}, {&size, L"3"}};
    for (const auto& [binding, expected] : reads) {
        if (binding) {
            EXPECT_EQ(Read(*tree.rowset, *binding, &errors.head), expected);
        } else {
            EXPECT_EQ(Move(*tree.rowset, DbReadNext, &errors.head), DbSuccess);
        }
    }
    // The last row is the recordset's own: custom fields have no children to descend to.
    EXPECT_EQ(Move(*tree.rowset, DbReadLast, &errors.head), DbSuccess);
    EXPECT_EQ(Read(*tree.rowset, name, &errors.head), L"R4");
    ASSERT_EQ(errors.Count(), 1u) << "ADO's refusal (Fields::get_Item) of the name that R2 lacks";
    EXPECT_NE(std::wstring(errors.head->text).find(L"0x800a0cc1"), std::wstring::npos);
    EXPECT_EQ(tree.records.Created(), 1u);
    EXPECT_EQ(tree.records.Script().Calls("_Record::Open"), 8);
    EXPECT_EQ(tree.records.Script().Calls("_Record::Close"), 7);
    EXPECT_EQ(tree.records.Script().Calls("_Record::get_RecordType"), 0) << "custom fields alone move as recordsets do";
}

}  // namespace
