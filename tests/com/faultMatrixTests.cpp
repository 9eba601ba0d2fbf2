// Every ADO call that a report makes, failed alone through the exports, at each of its calls in
// turn, with and without an error object (without one, the failing double's
// InterfaceSupportsErrorInfo says so, and the stale object that GetErrorInfo would find must not
// be taken): the export that meets the failure gives the code the table below expects and a
// record naming the call, or the driver passes over it and the report reads every row; the next
// report on the same handle reads every row; the doubles' references come back where they were.
// A call the table does not expect fails the test.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ado/fieldBinding.h"
#include "ado/recordReading.h"
#include "engineFlow.h"
#include "support/recordsetBuilder.h"
#include "support/scriptableRecordset.h"
#include "support/variantValues.h"

namespace {

enum class Step { Fields, Query, Bind, Read, Value, Done };

const char* StepName(Step step) {
    static const char* const names[] = {"fields", "query", "bind", "read", "value", "done"};
    return names[static_cast<int>(step)];
}

struct Report {
    Step failedAt = Step::Done;
    int32_t code = 0;
    ErrorList errors;
    std::vector<std::wstring> rows;
};

using BindingOwner = std::unique_ptr<DbFieldBinding, int32_t (*)(DbFieldBinding*)>;
using RowsetOwner = std::unique_ptr<DbOpenRowsetHandle, int32_t (*)(DbOpenRowsetHandle*)>;

std::wstring TextOf(const VARIANT& value) {
    if (value.vt == VT_NULL) return L"null";
    Variant text;
    if (FAILED(VariantChangeType(text.Get(), const_cast<VARIANT*>(&value), 0, VT_BSTR))) return L"?";
    return text.Get()->bstrVal;
}

// The engine's whole report on one table: its fields, the query, a binding by name (the second
// "Name") and one by position (Id), every row forward, then the last, the previous and the first
// by bookmark, and the first again. It stops at the first export that fails.
class ReportRun {
public:
    ReportRun(ServerHandle* handle, ScriptableRecordset& recordset, Report& report)
        : handle_(handle), recordset_(recordset), report_(report) {}

    void Run() {
        if (!Fetch() || !Open() || !Bind()) return;
        const DbReadRequest positioned{0, 1}, moving{0, 0};
        if (!ReadRow(DbReadFirst, positioned)) return;
        Variant first;
        static_cast<_Recordset*>(recordset_)->get_Bookmark(first.ReleaseAndGetAddressOf());
        for (;;) {
            const int32_t moved = DbReadRecord(rowset_.get(), DbReadNext, nullptr, &moving, &report_.errors.head);
            if (moved == DbNoMoreRecords) break;
            if (!Succeeded(Step::Read, moved) || !ReadValues()) return;
        }
        if (!ReadRow(DbReadLast, moving) || !ReadRow(DbReadPrevious, moving)) return;
        DbBookmark bookmark{};
        bookmark.bookmark = *first.Get();  // lent: the Variant keeps it
        if (!ReadRow(DbReadBookmark, moving, &bookmark)) return;
        ReadRow(DbReadFirst, moving);
    }

private:
    bool Succeeded(Step step, int32_t result) {
        if (result == DbSuccess) return true;
        report_.failedAt = step;
        report_.code = result;
        return false;
    }

    bool Fetch() {
        EngineQuery query(L"Orders");
        uint32_t count = 0;
        DbFieldDescription** fields = nullptr;
        const int32_t result = DbFetchTableFields(handle_, &query.Table(), 0, nullptr, nullptr, &count, &fields,
                                                  &report_.errors.head);
        std::wstring names;
        for (uint32_t i = 0; i < count; ++i) names += std::wstring(i ? L"," : L"") + fields[i]->name;
        DbFreeFieldList(count, fields);
        if (!Succeeded(Step::Fields, result)) return false;
        report_.rows.push_back(names);
        return true;
    }

    bool Open() {
        EngineQuery query(L"Orders");
        DbOpenRowsetHandle* opened = nullptr;
        const int32_t result = DbExecuteQuery(handle_, 0, &query.Definition(), nullptr, nullptr, nullptr, &opened,
                                              nullptr, &report_.errors.head);
        rowset_.reset(opened);
        return Succeeded(Step::Query, result);
    }

    bool Bind() {
        const DbFieldBindingInfo requests[2] = {BindingByName(L"Name", 1), BindingByPosition(1)};
        for (const DbFieldBindingInfo& request : requests) {
            DbFieldBinding* binding = nullptr;
            const int32_t result = DbBindToField(rowset_.get(), &request, &binding, &report_.errors.head);
            bindings_.emplace_back(binding, DbFreeFieldBinding);
            if (!Succeeded(Step::Bind, result)) return false;
        }
        return true;
    }

    bool ReadRow(int32_t mode, const DbReadRequest& request, const DbBookmark* bookmark = nullptr) {
        return Succeeded(Step::Read, DbReadRecord(rowset_.get(), mode, bookmark, &request, &report_.errors.head)) &&
               ReadValues();
    }

    bool ReadValues() {
        std::wstring row;
        for (const BindingOwner& binding : bindings_) {
            Variant value;
            const int32_t result = DbReadVariantColumnValue(rowset_.get(), binding.get(), nullptr, nullptr,
                                                            value.Get(), &report_.errors.head);
            if (!Succeeded(Step::Value, result)) return false;
            row += (row.empty() ? L"" : L"|") + TextOf(*value.Get());
        }
        report_.rows.push_back(row);
        return true;
    }

    ServerHandle* handle_;
    ScriptableRecordset& recordset_;
    Report& report_;
    RowsetOwner rowset_{nullptr, DbCloseRowset};
    std::vector<BindingOwner> bindings_;
};

const std::vector<std::wstring> kFullReport = {
    L"Id,Name,Note,Name,Lines-Item", L"x|1", L"null|2", L"z|3", L"z|3", L"null|2", L"x|1", L"x|1"};

// Which recordset's calls fail: the table's own or the one in its chapter column.
enum class Target { Table, Chapter };

// What a failure at the (first..last)th call (counted from 0) of a call does to the report.
struct Expected {
    Target target;
    const char* call;
    int first, last;
    Step failedAt;  // Done: the driver passes over the failure
    int32_t code;
    const wchar_t* text = nullptr;  // of the record; null: ADO's code and the error object's texts
    bool recorded = true;           // false: the code alone tells
};

const wchar_t kNotExecuted[] = L"Failed to execute the COM interface to obtain the Recordset.";
// Asked without an interface to take an error object from.
const wchar_t kCodeOnly[] = L"ADO Error Code: 0x80004005";

constexpr int kLater = 99;

// The fields step describes Id, Name, Note, Name and the chapter Lines, opening its first row
// (BOF and the chapter's value read) to describe Item. The query moves to the first row. Binding
// the second Name probes the name, then lists the columns as the fields step does, once for
// every binding by name; binding by position looks the column up. Reading starts
// at the first row (EOF asked), moves on to the end (EOF asked once the move is made), then
// last, previous, by bookmark and first (BOF asked before each move back). The chapter is
// described the same way whenever its parent's columns are listed.
const Expected kExpected[] = {
    // The object the method returns is asked for its recordset, by the fields step and the query.
    {Target::Table, "_Recordset::QueryInterface", 0, 0, Step::Fields, DbMethodNotExecuted, kNotExecuted},
    {Target::Table, "_Recordset::QueryInterface", 1, 1, Step::Query, DbMethodNotExecuted, kNotExecuted},
    {Target::Table, "_Recordset::get_Fields", 0, 0, Step::Fields, DbFailed},
    {Target::Table, "_Recordset::get_Fields", 1, 1, Step::Fields, DbMethodNotExecuted},
    // The probe fails; the second look finds the column, and the binding counts as the probe would have.
    {Target::Table, "_Recordset::get_Fields", 2, 2, Step::Done, DbSuccess},
    {Target::Table, "_Recordset::get_Fields", 3, 3, Step::Bind, DbFailed},
    {Target::Table, "_Recordset::get_Fields", 4, 4, Step::Bind, DbMethodNotExecuted},
    // A binding by position whose look-up failed is handed out; its first read fails.
    {Target::Table, "_Recordset::get_Fields", 5, 5, Step::Value, DbFailed},
    {Target::Table, "Fields::get_Count", 0, 0, Step::Fields, DbFailed},
    {Target::Table, "Fields::get_Count", 1, 1, Step::Bind, DbFailed},
    {Target::Table, "Fields::get_Item", 0, 4, Step::Fields, DbFailed},
    {Target::Table, "Fields::get_Item", 5, 5, Step::Fields, DbMethodNotExecuted},
    {Target::Table, "Fields::get_Item", 6, 6, Step::Done, DbSuccess},
    {Target::Table, "Fields::get_Item", 7, 11, Step::Bind, DbFailed},
    {Target::Table, "Fields::get_Item", 12, 12, Step::Bind, DbMethodNotExecuted},
    {Target::Table, "Fields::get_Item", 13, 13, Step::Value, DbFailed},
    {Target::Table, "Field::get_Name", 0, 4, Step::Fields, DbFailed},
    {Target::Table, "Field::get_Name", 5, 9, Step::Bind, DbFailed},
    {Target::Table, "Field::get_Type", 0, 4, Step::Fields, DbFailed},
    {Target::Table, "Field::get_Type", 5, 5, Step::Fields, DbMethodNotExecuted},
    {Target::Table, "Field::get_Type", 6, 10, Step::Bind, DbFailed},
    {Target::Table, "Field::get_Type", 11, 11, Step::Bind, DbMethodNotExecuted},
    {Target::Table, "Field::get_DefinedSize", 0, 4, Step::Fields, DbFailed},
    {Target::Table, "Field::get_DefinedSize", 5, 9, Step::Bind, DbFailed},
    {Target::Table, "Field::get_Value", 0, 0, Step::Fields, DbMethodNotExecuted},
    {Target::Table, "Field::get_Value", 1, 1, Step::Bind, DbMethodNotExecuted},
    {Target::Table, "Field::get_Value", 2, kLater, Step::Value, DbFailed},
    {Target::Table, "_Recordset::get_BOF", 0, 0, Step::Fields, DbMethodNotExecuted},
    {Target::Table, "_Recordset::get_BOF", 1, 1, Step::Bind, DbMethodNotExecuted},
    {Target::Table, "_Recordset::get_BOF", 2, 4, Step::Read, DbFailed},
    {Target::Table, "_Recordset::get_BOF", 5, 5, Step::Read, DbMoveFirstFailed},
    // The first read stands where the query left the rowset: the question's code is the read's.
    {Target::Table, "_Recordset::get_EOF", 0, 0, Step::Read, DbFailed, nullptr, false},
    // Before a move forward a failed question counts as not at the end: the move then tells.
    {Target::Table, "_Recordset::get_EOF", 1, 1, Step::Done, DbSuccess},
    {Target::Table, "_Recordset::get_EOF", 2, kLater, Step::Read, DbFailed},
    // The query hands out a recordset that cannot move to its first row; the engine's read tells.
    {Target::Table, "_Recordset::MoveFirst", 0, 0, Step::Done, DbSuccess},
    {Target::Table, "_Recordset::MoveFirst", 1, 1, Step::Read, DbMoveFirstFailed},
    {Target::Table, "_Recordset::MoveNext", 0, kLater, Step::Read, DbFailed},
    {Target::Table, "_Recordset::MoveLast", 0, 0, Step::Read, DbFailed},
    {Target::Table, "_Recordset::MovePrevious", 0, 0, Step::Read, DbFailed},
    {Target::Table, "_Recordset::put_Bookmark", 0, 0, Step::Read, DbFailed},
    // A provider that cannot be named is on no list: the rowset reads in recordset mode.
    {Target::Table, "_Recordset::get_ActiveConnection", 0, kLater, Step::Done, DbSuccess},
    {Target::Chapter, "_Recordset::QueryInterface", 0, 0, Step::Fields, DbMethodNotExecuted, kCodeOnly},
    {Target::Chapter, "_Recordset::QueryInterface", 1, 1, Step::Bind, DbMethodNotExecuted, kCodeOnly},
    {Target::Chapter, "_Recordset::get_Fields", 0, 0, Step::Fields, DbFailed},
    {Target::Chapter, "_Recordset::get_Fields", 1, 1, Step::Bind, DbFailed},
    {Target::Chapter, "Fields::get_Count", 0, 0, Step::Fields, DbFailed},
    {Target::Chapter, "Fields::get_Count", 1, 1, Step::Bind, DbFailed},
    {Target::Chapter, "Fields::get_Item", 0, 0, Step::Fields, DbFailed},
    {Target::Chapter, "Fields::get_Item", 1, 1, Step::Bind, DbFailed},
    {Target::Chapter, "Field::get_Name", 0, 0, Step::Fields, DbFailed},
    {Target::Chapter, "Field::get_Name", 1, 1, Step::Bind, DbFailed},
    {Target::Chapter, "Field::get_Type", 0, 0, Step::Fields, DbFailed},
    {Target::Chapter, "Field::get_Type", 1, 1, Step::Bind, DbFailed},
    {Target::Chapter, "Field::get_DefinedSize", 0, 0, Step::Fields, DbFailed},
    {Target::Chapter, "Field::get_DefinedSize", 1, 1, Step::Bind, DbFailed},
};

const Expected* Find(Target target, const std::string& call, int at) {
    for (const Expected& row : kExpected)
        if (row.target == target && row.call == call && at >= row.first && at <= row.last) return &row;
    return nullptr;
}

std::wstring ExpectedText(const std::string& call, bool withErrorObject) {
    std::wstring text = L"ADO Error Code: 0x80004005";
    if (withErrorObject)
        text += L"\nSource: ScriptedADO\nDescription: " + std::wstring(call.begin(), call.end()) + L" failed on purpose";
    return text;
}

struct ReportTable {
    ReportTable()
        : chapter(BuildRecordset({{L"Item", adVarWChar, 8}}, {{Text(L"nut")}})),
          table(BuildRecordset({{L"Id", adInteger, 4}, {L"Name", adVarWChar, 8}, {L"Note", adDouble, 8},
                                {L"Name", adVarWChar, 8}},
                               {{I4(1), Text(L"a"), R8(0.5), Text(L"x")},
                                {I4(2), Text(L"b"), Null(), Null()},
                                {I4(3), Null(), R8(1.5), Text(L"z")}})) {
        table.AddChapter(4, L"Lines", ComPtr<_Recordset>(chapter));
    }
    ScriptableRecordset& Of(Target target) { return target == Target::Table ? table : chapter; }

    ScriptableRecordset chapter;
    ScriptableRecordset table;
};

DispatchInterfaceBuilder ReportInterface() {
    DispatchInterfaceBuilder builder(L"IFaultReport");
    builder.Method(L"Orders", Returns::Recordset);
    return builder;
}

TEST(FaultMatrix, EveryAdoCallOfAReportFailedAloneAtEachOfItsCalls) {
    ReportTable recordsets;
    ProviderSession session(ReportInterface(), L"ZedbTests.FaultMatrix");
    ServerHandle* handle = session.LogOn();
    MethodCalls calls;
    AnswerCalls(session.provider, L"Orders", calls, Object(recordsets.table));
    const ULONG tableReferences = recordsets.table.References(), chapterReferences = recordsets.chapter.References();

    // A clean report counts each call; every call of it is then failed in turn.
    {
        Report clean;
        ReportRun(handle, recordsets.table, clean).Run();
        ASSERT_EQ(clean.failedAt, Step::Done) << clean.code;
        ASSERT_EQ(clean.rows, kFullReport);
    }
    std::map<Target, std::map<std::string, int>> counted;
    for (Target target : {Target::Table, Target::Chapter}) counted[target] = recordsets.Of(target).Script().AllCalls();
    std::set<const Expected*> reached;
    for (Target target : {Target::Table, Target::Chapter}) {
        for (const auto& [call, total] : counted[target]) {
            if (call == "_Recordset::get_Bookmark") continue;  // the test's own call, as the engine's
            for (int at = 0; at < total; ++at) {
                for (bool withErrorObject : {true, false}) {
                    SCOPED_TRACE(testing::Message() << (target == Target::Table ? "table " : "chapter ") << call
                                                    << " call " << at << (withErrorObject ? "" : " without error object"));
                    const Expected* expected = Find(target, call, at);
                    ASSERT_NE(expected, nullptr) << "a call the table does not expect";
                    recordsets.Of(target).Script().FailOnce(call, E_FAIL, withErrorObject, at);
                    Report failed;
                    ReportRun(handle, recordsets.table, failed).Run();
                    recordsets.Of(target).Script().Fail(call, S_OK);
                    reached.insert(expected);
                    EXPECT_EQ(StepName(failed.failedAt), std::string(StepName(expected->failedAt)));
                    EXPECT_EQ(failed.code, expected->code);
                    // A failure passed over may leave its record (a probe's), but no row is lost.
                    const bool passedOver = expected->failedAt == Step::Done;
                    if (passedOver) {
                        EXPECT_EQ(failed.rows, kFullReport);
                    }
                    EXPECT_EQ(failed.errors.Count(), passedOver ? failed.errors.Count() : expected->recorded ? 1u : 0u);
                    EXPECT_LE(failed.errors.Count(), 1u);
                    for (const DbErrorInfo* record = failed.errors.head; record; record = record->next) {
                        EXPECT_EQ(std::wstring(record->text),
                                  expected->text ? expected->text : ExpectedText(call, withErrorObject));
                        EXPECT_EQ(record->code, uint32_t(passedOver ? DbFailed : expected->code));
                    }
                    Report next;
                    ReportRun(handle, recordsets.table, next).Run();
                    EXPECT_EQ(next.failedAt, Step::Done) << next.code;
                    EXPECT_EQ(next.rows, kFullReport);
                    EXPECT_EQ(next.errors.head, nullptr);
                    EXPECT_EQ(recordsets.table.References(), tableReferences);
                    EXPECT_EQ(recordsets.chapter.References(), chapterReferences);
                    EXPECT_EQ(recordsets.table.FieldsReferences() + recordsets.chapter.FieldsReferences(), 0u);
                }
            }
        }
    }
    EXPECT_EQ(reached.size(), std::size(kExpected)) << "a row of the table that no call reaches";
}

}  // namespace
