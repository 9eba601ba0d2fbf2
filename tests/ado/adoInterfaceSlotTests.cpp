// The declared ADO interfaces against Wine's real ADODB.Recordset: every call below lands in a
// different slot and answers something only that slot gives, so a slot out of order fails here.

#include <gtest/gtest.h>

#include "ado/adoInterfaces.h"
#include "common/bstr.h"
#include "common/comPtr.h"
#include "common/variant.h"

namespace {

constexpr AdoLongPtr Unwritten = 0x5A5A5A5A5A5A5A5A;

Variant IntegerVariant(LONG value) {
    Variant result;
    result.Get()->vt = VT_I4;
    result.Get()->lVal = value;
    return result;
}

Variant TextVariant(const wchar_t* text) {
    Variant result;
    result.Get()->vt = VT_BSTR;
    result.Get()->bstrVal = Bstr(text).Detach();
    return result;
}

ComPtr<Field> FieldAt(const ComPtr<_Recordset>& recordset, LONG position) {
    ComPtr<Fields> fields;
    EXPECT_EQ(recordset->get_Fields(fields.ReleaseAndGetAddressOf()), S_OK);
    ComPtr<Field> field;
    EXPECT_EQ(fields->get_Item(*IntegerVariant(position).Get(), field.ReleaseAndGetAddressOf()), S_OK);
    return field;
}

bool AtEnd(const ComPtr<_Recordset>& recordset) {
    VARIANT_BOOL eof = VARIANT_TRUE;
    EXPECT_EQ(recordset->get_EOF(&eof), S_OK);
    return eof == VARIANT_TRUE;
}

TEST(AdoInterfaceSlots, RealRecordsetAnswersThroughEveryDeclaredSlot) {
    CLSID recordsetClass;
    ASSERT_EQ(CLSIDFromProgID(L"ADODB.Recordset", &recordsetClass), S_OK);
    ComPtr<_Recordset> recordset;
    ASSERT_EQ(CoCreateInstance(recordsetClass, nullptr, CLSCTX_INPROC_SERVER, __uuidof(_Recordset),
                               reinterpret_cast<void**>(recordset.ReleaseAndGetAddressOf())),
              S_OK);

    Variant none;
    ComPtr<Fields> fields;
    ASSERT_EQ(recordset->get_Fields(fields.ReleaseAndGetAddressOf()), S_OK);
    ASSERT_EQ(fields->_Append(Bstr(L"Id").Get(), adInteger, 4, adFldUnspecified), S_OK);
    ASSERT_EQ(fields->Append(Bstr(L"Name").Get(), adVarWChar, 40, adFldUnspecified, *none.Get()),
              S_OK);
    LONG count[2] = {-1, -1};
    ASSERT_EQ(fields->get_Count(count), S_OK);
    EXPECT_EQ(count[0], 2);
    EXPECT_EQ(count[1], -1) << "the count is 4 bytes";
    fields.Reset();

    ASSERT_EQ(recordset->Open(*none.Get(), *none.Get(), adOpenStatic, adLockOptimistic, -1), S_OK);
    // Rows first, values after: Wine loses earlier rows' values when its row store grows.
    const LONG ids[] = {7, 8};
    const wchar_t* names[] = {L"seven", L"eight"};
    for (size_t row = 0; row < 2; ++row) ASSERT_EQ(recordset->AddNew(*none.Get(), *none.Get()), S_OK);
    ASSERT_EQ(recordset->MoveFirst(), S_OK);
    for (size_t row = 0; row < 2; ++row) {
        ASSERT_EQ(FieldAt(recordset, 0)->put_Value(*IntegerVariant(ids[row]).Get()), S_OK);
        ASSERT_EQ(FieldAt(recordset, 1)->put_Value(*TextVariant(names[row]).Get()), S_OK);
        ASSERT_EQ(recordset->MoveNext(), S_OK);
    }
    EXPECT_TRUE(AtEnd(recordset));

    AdoLongPtr recordCount = Unwritten;
    ASSERT_EQ(recordset->get_RecordCount(&recordCount), S_OK);
    EXPECT_EQ(recordCount, 2) << "the record count is 8 bytes";

    ASSERT_EQ(recordset->MoveFirst(), S_OK);
    VARIANT_BOOL bof = VARIANT_TRUE;
    ASSERT_EQ(recordset->get_BOF(&bof), S_OK);
    EXPECT_EQ(bof, VARIANT_FALSE);
    EXPECT_FALSE(AtEnd(recordset));

    ComPtr<Field> name = FieldAt(recordset, 1);
    Bstr columnName;
    ASSERT_EQ(name->get_Name(columnName.ReleaseAndGetAddressOf()), S_OK);
    EXPECT_STREQ(columnName.Text(), L"Name");
    DataTypeEnum type = adEmpty;
    ASSERT_EQ(name->get_Type(&type), S_OK);
    EXPECT_EQ(type, adVarWChar);
    AdoLongPtr definedSize = Unwritten;
    ASSERT_EQ(name->get_DefinedSize(&definedSize), S_OK);
    EXPECT_EQ(definedSize, 40) << "the defined size is 8 bytes";

    Variant firstBookmark;
    ASSERT_EQ(recordset->get_Bookmark(firstBookmark.ReleaseAndGetAddressOf()), S_OK);
    ASSERT_EQ(recordset->MoveLast(), S_OK);
    Variant value;
    ASSERT_EQ(FieldAt(recordset, 0)->get_Value(value.ReleaseAndGetAddressOf()), S_OK);
    EXPECT_EQ(value.Get()->vt, VT_I4);
    EXPECT_EQ(value.Get()->lVal, 8);
    ASSERT_EQ(recordset->MovePrevious(), S_OK);
    ASSERT_EQ(name->get_Value(value.ReleaseAndGetAddressOf()), S_OK);
    ASSERT_EQ(value.Get()->vt, VT_BSTR);
    EXPECT_STREQ(value.Get()->bstrVal, L"seven");

    ASSERT_EQ(recordset->MoveLast(), S_OK);
    ASSERT_EQ(recordset->put_Bookmark(*firstBookmark.Get()), S_OK);
    ASSERT_EQ(FieldAt(recordset, 0)->get_Value(value.ReleaseAndGetAddressOf()), S_OK);
    EXPECT_EQ(value.Get()->lVal, 7);
}

}  // namespace
