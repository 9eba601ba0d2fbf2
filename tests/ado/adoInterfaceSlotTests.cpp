// The declared ADO interfaces against Wine's real ADODB.Recordset. Building the recordset
// (Fields::Append, Open, AddNew, Field::put_Value, moves, Field::get_Value) already goes through
// their slots; each call below lands in a further slot and answers what only that slot gives,
// so a slot out of order fails here. Sizes and counts start as a pattern that a 4-byte write
// would leave half in place.

#include <gtest/gtest.h>

#include "ado/adoInterfaces.h"
#include "common/bstr.h"
#include "support/recordsetBuilder.h"
#include "support/variantValues.h"

namespace {

constexpr AdoLongPtr kUnwritten = 0x5A5A5A5A5A5A5A5A;

TEST(AdoInterfaceSlots, RealRecordsetAnswersThroughEveryDeclaredSlot) {
    const ComPtr<_Recordset> recordset =
        BuildRecordset({{L"Id", adInteger, 4}, {L"Name", adVarWChar, 40}}, {{I4(7), Text(L"seven")}, {I4(8), Null()}});
    ComPtr<Fields> fields;
    ASSERT_EQ(recordset->get_Fields(fields.ReleaseAndGetAddressOf()), S_OK);
    LONG count[2] = {-1, -1};
    ASSERT_EQ(fields->get_Count(count), S_OK);
    EXPECT_EQ(count[0], 2);
    EXPECT_EQ(count[1], -1) << "the count is 4 bytes";
    ComPtr<Field> name;
    ASSERT_EQ(fields->get_Item(*Text(L"Name").Get(), name.ReleaseAndGetAddressOf()), S_OK);
    fields.Reset();

    Bstr columnName;
    ASSERT_EQ(name->get_Name(columnName.ReleaseAndGetAddressOf()), S_OK);
    EXPECT_STREQ(columnName.Text(), L"Name");
    DataTypeEnum type = adEmpty;
    ASSERT_EQ(name->get_Type(&type), S_OK);
    EXPECT_EQ(type, adVarWChar);
    AdoLongPtr definedSize = kUnwritten;
    ASSERT_EQ(name->get_DefinedSize(&definedSize), S_OK);
    EXPECT_EQ(definedSize, 40) << "the defined size is 8 bytes";
    AdoLongPtr recordCount = kUnwritten;
    ASSERT_EQ(recordset->get_RecordCount(&recordCount), S_OK);
    EXPECT_EQ(recordCount, 2) << "the record count is 8 bytes";

    VARIANT_BOOL bof = VARIANT_TRUE, eof = VARIANT_TRUE;
    ASSERT_EQ(recordset->get_BOF(&bof), S_OK);
    ASSERT_EQ(recordset->get_EOF(&eof), S_OK);
    EXPECT_EQ(bof | eof, VARIANT_FALSE);
    Variant first, value;
    ASSERT_EQ(recordset->get_Bookmark(first.ReleaseAndGetAddressOf()), S_OK);
    ASSERT_EQ(recordset->MoveLast(), S_OK);
    ASSERT_EQ(name->get_Value(value.ReleaseAndGetAddressOf()), S_OK);
    EXPECT_EQ(value.Get()->vt, VT_NULL);
    ASSERT_EQ(recordset->MovePrevious(), S_OK);
    ASSERT_EQ(recordset->MovePrevious(), S_OK);
    ASSERT_EQ(recordset->get_BOF(&bof), S_OK);
    EXPECT_EQ(bof, VARIANT_TRUE);
    ASSERT_EQ(recordset->put_Bookmark(*first.Get()), S_OK);
    ASSERT_EQ(name->get_Value(value.ReleaseAndGetAddressOf()), S_OK);
    EXPECT_STREQ(value.Get()->bstrVal, L"seven");
}

}  // namespace
