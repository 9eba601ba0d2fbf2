// A report over a provider of hierarchical records, through the exports as the engine drives
// them: every record of the tree in pre-order, each value read through an ADODB.Record of the
// test's record class, and every reference back where it started once the rowset is closed.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ado/adoExports.h"
#include "ado/fieldBinding.h"
#include "ado/providerLists.h"
#include "ado/recordReading.h"
#include "engineFlow.h"
#include "support/classRegistration.h"
#include "support/providerListValue.h"
#include "support/recordsetBuilder.h"
#include "support/scriptableRecord.h"
#include "support/scriptableRecordset.h"
#include "support/variantValues.h"

namespace {

ComPtr<_Recordset> Names(std::vector<const wchar_t*> names) {
    std::vector<std::vector<Variant>> rows;
    for (const wchar_t* name : names) rows.push_back({Text(name)});
    return BuildRecordset({{L"Name", adVarWChar, 10}}, rows);
}

TEST(RecordModeReport, HierarchicalRecordsInPreOrderThroughTheExports) {
    const ProviderListValue hierarchical(HKEY_CURRENT_USER, kHierarchicalRecordProviders, L"FOLDERS");
    ScriptableRecordset files(Names({L"a.txt", L"b.txt"}));
    ScriptableRecordset folders(Names({L"docs", L"empty", L"tmp"}));
    ScriptableRecordset none(Names({}));
    folders.SetActiveConnection(Text(L"Provider=Folders.1"));
    ScriptableRecordClass records;
    records.Describe(L"docs", adCollectionRecord, files);
    records.Describe(L"empty", adCollectionRecord, none);
    records.Describe(L"tmp", adCollectionRecord);  // GetChildren gives no recordset
    const ClassRegistration registration(records, L"ADODB.Record", FreshClsid());

    DispatchInterfaceBuilder builder(L"IFolders");
    builder.Method(L"Folders", Returns::Recordset);
    ProviderSession session(builder, L"ZedbTests.Folders");
    ServerHandle* handle = session.LogOn();
    MethodCalls calls;
    AnswerCalls(session.provider, L"Folders", calls, Object(folders));
    EngineQuery query(L"Folders");
    std::vector<std::wstring> names;
    {
        QueryRun run;
        Execute(handle, query, run);
        ASSERT_EQ(run.result, 0);
        const DbFieldBindingInfo request = BindingByName(L"Name");
        DbFieldBinding* binding = nullptr;
        ASSERT_EQ(DbBindToField(run.rowset, &request, &binding, &run.errors.head), 0);
        const DbReadRequest positioned{0, 1}, moving{0, 0};
        int32_t result = DbReadRecord(run.rowset, DbReadFirst, nullptr, &positioned, &run.errors.head);
        for (; result == 0; result = DbReadRecord(run.rowset, DbReadNext, nullptr, &moving, &run.errors.head)) {
            Variant value;
            ASSERT_EQ(DbReadVariantColumnValue(run.rowset, binding, nullptr, nullptr, value.Get(), &run.errors.head), 0);
            names.push_back(value.Get()->bstrVal);
        }
        EXPECT_EQ(result, DbNoMoreRecords);
        EXPECT_EQ(run.errors.head, nullptr);
        EXPECT_EQ(DbFreeFieldBinding(binding), 0);
    }
    EXPECT_EQ(names, (std::vector<std::wstring>{L"docs", L"a.txt", L"b.txt", L"empty", L"tmp"}));
    EXPECT_EQ(records.Created(), 2u) << "one record for the folders, one for the files of docs";
    AnswerCalls(session.provider, L"Folders", calls, Variant());
    for (const ScriptableRecordset* recordset : {&folders, &files, &none}) {
        EXPECT_EQ(recordset->References(), 1u);
        EXPECT_EQ(recordset->FieldsReferences(), 0u);
    }
}

}  // namespace
