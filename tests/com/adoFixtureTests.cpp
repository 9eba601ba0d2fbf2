// What the driver's tests rely on in the ADO fixture: recordsets built on the platform's own ADO
// hold the values they were given and stand on their first row.

#include <gtest/gtest.h>

#include "support/recordsetBuilder.h"
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
