// What the driver's tests rely on in the ADO fixture: recordsets built on the platform's own ADO
// hold the values they were given and stand on their first row; the recordset double fails as
// told, with the error object the failure rule finds or none, and hands back what it lends.

#include <gtest/gtest.h>

#include "common/bstr.h"
#include "common/comError.h"
#include "support/recordsetBuilder.h"
#include "support/scriptableRecordset.h"
#include "support/variantValues.h"

namespace {

bool Flag(HRESULT (STDMETHODCALLTYPE _Recordset::*read)(VARIANT_BOOL*), const ComPtr<_Recordset>& recordset) {
    VARIANT_BOOL flag = 7;
    EXPECT_EQ((recordset.Get()->*read)(&flag), S_OK);
    return flag == VARIANT_TRUE;
}

TEST(RecordsetBuilder, ManyRowsOfSeveralColumnsKeepTheirValuesAndStartOnTheFirstRow) {
    std::vector<std::vector<Variant>> rows;
    for (LONG row = 0; row < 600; ++row)
        rows.push_back({I4(row), row % 3 ? Text(std::to_wstring(row).c_str()) : Null(), R8(row / 4.0)});
    ComPtr<_Recordset> recordset =
        BuildRecordset({{L"Id", adInteger, 4}, {L"Name", adVarWChar, 20}, {L"Share", adDouble, 8}}, rows);
    EXPECT_FALSE(Flag(&_Recordset::get_BOF, recordset));
    EXPECT_EQ(ValueAt(recordset, 0).Get()->lVal, 0);
    EXPECT_EQ(ValueAt(recordset, 1).Get()->vt, VT_NULL);
    ASSERT_EQ(recordset->MoveLast(), S_OK);
    EXPECT_EQ(ValueAt(recordset, 0).Get()->lVal, 599);
    EXPECT_STREQ(ValueAt(recordset, 1).Get()->bstrVal, L"599");
    EXPECT_EQ(ValueAt(recordset, 2).Get()->dblVal, 149.75);

    ComPtr<_Recordset> empty = BuildRecordset({{L"Id", adInteger, 4}}, {});
    EXPECT_TRUE(Flag(&_Recordset::get_BOF, empty));
    EXPECT_TRUE(Flag(&_Recordset::get_EOF, empty));
}

}  // namespace

// The failure rule as the driver applies it (common/comError.h), on the double's own answers.
std::wstring DescriptionAfter(HRESULT result, IUnknown* failing, REFIID iid) {
    try {
        CheckCom(result, failing, iid);
    } catch (const ComError& error) {
        Bstr description;
        if (error.ErrorInfo()) error.ErrorInfo()->GetDescription(description.ReleaseAndGetAddressOf());
        return error.ErrorInfo() ? description.Text() : L"<none>";
    }
    return L"<no failure>";
}

TEST(ScriptableRecordset, FailsNamedCallsWithOrWithoutAnErrorObjectAndPresentsChapters) {
    ComPtr<_Recordset> lines = BuildRecordset({{L"Line", adInteger, 4}}, {{I4(1)}});
    ScriptableRecordset orders(BuildRecordset({{L"Id", adInteger, 4}, {L"Name", adVarWChar, 20}},
                                              {{I4(7), Text(L"seven")}, {I4(8), Text(L"eight")}}));
    orders.AddChapter(1, L"Lines", lines);
    {
        ComPtr<Fields> fields;
        ASSERT_EQ(orders.get_Fields(fields.ReleaseAndGetAddressOf()), S_OK);
        LONG count = 0;
        ASSERT_EQ(fields->get_Count(&count), S_OK);
        EXPECT_EQ(count, 3);
        ComPtr<Field> chapter, name;
        ASSERT_EQ(fields->get_Item(*I4(1).Get(), chapter.ReleaseAndGetAddressOf()), S_OK);
        ASSERT_EQ(fields->get_Item(*Text(L"NAME").Get(), name.ReleaseAndGetAddressOf()), S_OK);
        DataTypeEnum type = adEmpty;
        ASSERT_EQ(chapter->get_Type(&type), S_OK);
        EXPECT_EQ(type, adChapter);
        Variant value;
        ASSERT_EQ(chapter->get_Value(value.ReleaseAndGetAddressOf()), S_OK);
        EXPECT_EQ(value.Get()->pdispVal, static_cast<IDispatch*>(lines.Get()));
        ASSERT_EQ(name->get_Value(value.ReleaseAndGetAddressOf()), S_OK);
        EXPECT_STREQ(value.Get()->bstrVal, L"seven");
        EXPECT_EQ(orders.FieldsReferences(), 3u);
        ComPtr<Field> missing;
        EXPECT_EQ(fields->get_Item(*I4(3).Get(), missing.ReleaseAndGetAddressOf()), static_cast<HRESULT>(0x800A0CC1));

        orders.Script().Fail("Field::get_Value", E_FAIL);
        EXPECT_EQ(DescriptionAfter(name->get_Value(value.ReleaseAndGetAddressOf()), name.Get(), __uuidof(Field)),
                  L"Field::get_Value failed on purpose");
        orders.Script().Fail("Field::get_Value", E_FAIL, WithoutErrorObject);
        EXPECT_EQ(DescriptionAfter(name->get_Value(value.ReleaseAndGetAddressOf()), name.Get(), __uuidof(Field)),
                  L"<none>");
        EXPECT_EQ(orders.Script().Calls("Field::get_Value"), 4);
    }
    EXPECT_EQ(orders.FieldsReferences(), 0u);
    EXPECT_EQ(orders.References(), 1u);

    orders.Script().Fail("_Recordset::MoveNext", E_ACCESSDENIED);
    EXPECT_EQ(DescriptionAfter(orders.MoveNext(), static_cast<_Recordset*>(&orders), __uuidof(_Recordset)), L"_Recordset::MoveNext failed on purpose");
    orders.Script().Fail("_Recordset::MoveNext", S_OK);
    orders.ActForwardOnly();
    EXPECT_EQ(orders.MoveFirst(), S_OK);
    EXPECT_EQ(orders.MoveNext(), S_OK);
    EXPECT_EQ(DescriptionAfter(orders.MoveFirst(), static_cast<_Recordset*>(&orders), __uuidof(_Recordset)),
              L"Rowset does not support fetching backward.");
    Variant bookmark;
    EXPECT_EQ(orders.get_Bookmark(bookmark.ReleaseAndGetAddressOf()), static_cast<HRESULT>(0x800A0CB3));
}

TEST(ScriptableRecordset, ActiveConnectionIsATextAConnectionObjectOrEmpty) {
    FakeConnection connection(L"MSDAOSP");
    ScriptableRecordset recordset(BuildRecordset({{L"Id", adInteger, 4}}, {}));
    Variant active;
    EXPECT_EQ(recordset.get_ActiveConnection(active.ReleaseAndGetAddressOf()), E_NOTIMPL) << "Wine's own answer";
    recordset.SetActiveConnection(Text(L"Provider=MSDAOSP"));
    ASSERT_EQ(recordset.get_ActiveConnection(active.ReleaseAndGetAddressOf()), S_OK);
    EXPECT_STREQ(active.Get()->bstrVal, L"Provider=MSDAOSP");
    recordset.SetActiveConnection(connection.AsActiveConnection());
    ASSERT_EQ(recordset.get_ActiveConnection(active.ReleaseAndGetAddressOf()), S_OK);
    ComPtr<_Connection> asked;
    ASSERT_EQ(ComPtr<IDispatch>(active.Get()->pdispVal).As(asked), S_OK);
    Bstr provider;
    ASSERT_EQ(asked->get_Provider(provider.ReleaseAndGetAddressOf()), S_OK);
    EXPECT_STREQ(provider.Text(), L"MSDAOSP");
    recordset.SetActiveConnection(Variant());
    active.Reset();
    asked.Reset();
    EXPECT_EQ(connection.References(), 1u);
    ASSERT_EQ(recordset.get_ActiveConnection(active.ReleaseAndGetAddressOf()), S_OK);
    EXPECT_EQ(active.Get()->vt, VT_EMPTY);
}
