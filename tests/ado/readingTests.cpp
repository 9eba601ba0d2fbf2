// Reading values through bound fields: every ADO type of the mapping, nulls, and the checks
// around a read.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ado/adoExports.h"
#include "ado/fieldBinding.h"
#include "ado/openrowseth.h"
#include "ado/recordReading.h"
#include "common/resultCodes.h"
#include "support/recordsetBuilder.h"
#include "support/scriptableRecordset.h"
#include "support/variantValues.h"
#include "unit/reportedAssertions.h"

namespace {

template <class Value>
Variant Of(VARTYPE type, Value VARIANT::*member, Value value) {
    Variant result = Typed(type);
    result.Get()->*member = value;
    return result;
}

Variant Bytes(std::initializer_list<BYTE> bytes) {
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    std::memcpy(array->pvData, bytes.begin(), bytes.size());
    Variant result = Typed(VT_ARRAY | VT_UI1);
    result.Get()->parray = array;
    return result;
}

Variant Decimal(const wchar_t* text) {
    Variant result = Typed(VT_DECIMAL);
    VarDecFromStr(const_cast<OLECHAR*>(text), LOCALE_INVARIANT, 0, &result.Get()->decVal);
    result.Get()->vt = VT_DECIMAL;
    return result;
}

bool SameValue(const VARIANT& read, const VARIANT& expected) {
    if (read.vt != expected.vt) return false;
    if (expected.vt == VT_NULL) return true;
    if (expected.vt == (VT_ARRAY | VT_UI1))
        return read.parray->rgsabound[0].cElements == expected.parray->rgsabound[0].cElements &&
               std::memcmp(read.parray->pvData, expected.parray->pvData, expected.parray->rgsabound[0].cElements) == 0;
    return VarCmp(const_cast<VARIANT*>(&read), const_cast<VARIANT*>(&expected), LOCALE_INVARIANT, 0) == VARCMP_EQ;
}

struct TypedColumn {
    DataTypeEnum type;
    AdoLongPtr definedSize;
    Variant value;
};

std::vector<TypedColumn> EveryMappedType() {
    CY money{};
    money.int64 = 123456;
    std::vector<TypedColumn> columns;
    const auto add = [&](DataTypeEnum type, AdoLongPtr size, Variant value) {
        columns.push_back({type, size, std::move(value)});
    };
    add(adSmallInt, 2, Of(VT_I2, &VARIANT::iVal, SHORT(-2)));
    add(adInteger, 4, I4(-4));
    add(adSingle, 4, Of(VT_R4, &VARIANT::fltVal, 0.5f));
    add(adDouble, 8, R8(2.25));
    add(adCurrency, 8, Of(VT_CY, &VARIANT::cyVal, money));
    add(adDate, 8, Of(VT_DATE, &VARIANT::date, 46362.5));
    add(adBSTR, 20, Text(L"bstr"));
    add(adBoolean, 2, Of(VT_BOOL, &VARIANT::boolVal, VARIANT_BOOL(VARIANT_TRUE)));
    add(adDecimal, 16, Decimal(L"-12.345"));
    add(adUnsignedTinyInt, 1, Of(VT_UI1, &VARIANT::bVal, BYTE(255)));
    add(adBigInt, 8, I8(-(1LL << 40)));
    // Wine's recordset keeps a value as it is put, and Wine's VarCmp, with which the fixture
    // checks what it stored, refuses VT_I1, VT_UI2, VT_UI4 and VT_UI8.
    add(adTinyInt, 1, Of(VT_I2, &VARIANT::iVal, SHORT(-1)));
    add(adUnsignedSmallInt, 2, I4(65535));
    add(adUnsignedInt, 4, I8(4000000000LL));
    add(adUnsignedBigInt, 8, R8(9.5e18));
    add(adGUID, 38, Text(L"{00000556-0000-0010-8000-00AA006D2EA4}"));
    add(adBinary, 4, Bytes({1, 2, 3, 4}));
    add(adVarBinary, 10, Bytes({0, 255}));
    add(adLongVarBinary, 1000, Bytes({9}));
    add(adChar, 5, Text(L"char"));
    add(adVarChar, 20, Text(L"varchar"));
    add(adLongVarChar, 1000, Text(L"long text"));
    add(adWChar, 5, Text(L"\u00e4\u00f6\u00fc"));
    add(adVarWChar, 20, Text(L"wide"));
    add(adLongVarWChar, 1000, Text(L"long wide"));
    add(adNumeric, 16, Decimal(L"98765.4321"));
    add(adDBDate, 8, Of(VT_DATE, &VARIANT::date, 46362.0));
    add(adDBTime, 8, Of(VT_DATE, &VARIANT::date, 0.75));
    add(adDBTimeStamp, 8, Of(VT_DATE, &VARIANT::date, 46362.75));
    add(adVariant, 16, I4(7));
    return columns;
}

TEST(Reading, ValuesOfEveryMappedTypeAndNulls) {
    const std::vector<TypedColumn> typed = EveryMappedType();
    std::vector<Column> columns;
    std::vector<Variant> values, nulls;
    for (const TypedColumn& column : typed) {
        columns.push_back({L"C" + std::to_wstring(columns.size()), column.type, column.definedSize});
        values.push_back(column.value);
        nulls.push_back(Null());
    }
    DbOpenRowsetHandle rowset(BuildRecordset(columns, {values, nulls}));

    std::vector<DbFieldBinding*> bindings;
    for (uint32_t ordinal = 1; ordinal <= columns.size(); ++ordinal) {
        DbFieldBindingInfo request{};
        request.fieldOrdinal = ordinal;
        request.bindingKind = kBindByPosition;
        DbFieldBinding* binding = nullptr;
        ASSERT_EQ(DbBindToField(&rowset, &request, &binding, nullptr), DbSuccess);
        bindings.push_back(binding);
    }
    const DbReadRequest positioned{0, 1};
    DbErrorInfo* errors = nullptr;
    ASSERT_EQ(DbReadRecord(&rowset, DbReadFirst, nullptr, &positioned, &errors), DbSuccess);
    for (const std::vector<Variant>* row : {&values, &nulls}) {
        for (size_t i = 0; i < bindings.size(); ++i) {
            Variant value;
            EXPECT_EQ(DbReadVariantColumnValue(&rowset, bindings[i], nullptr, nullptr, value.Get(), &errors),
                      DbSuccess);
            EXPECT_TRUE(SameValue(*value.Get(), *(*row)[i].Get()))
                << "ADO type " << typed[i].type << " read as VARTYPE " << value.Get()->vt;
        }
        EXPECT_EQ(DbReadRecord(&rowset, DbReadNext, nullptr, &positioned, &errors),
                  row == &values ? DbSuccess : DbNoMoreRecords);
    }
    EXPECT_EQ(errors, nullptr);
    for (DbFieldBinding* binding : bindings) EXPECT_EQ(DbFreeFieldBinding(binding), DbSuccess);
}

TEST(Reading, ChecksAroundARead) {
    ReportedAssertions assertions;
    ScriptableRecordset recordset(BuildRecordset({{L"Id", adInteger, 4}}, {{I4(1)}, {I4(2)}}));
    DbOpenRowsetHandle rowset{ComPtr<_Recordset>(recordset)};
    DbFieldBinding binding;
    ASSERT_EQ(rowset.GetOwnField(*I4(0).Get(), binding.field, nullptr), DbSuccess);
    const DbReadRequest request{0, 0};
    DbErrorInfo* errors = nullptr;

    EXPECT_EQ(DbReadRecord(&rowset, DbReadBookmark, nullptr, &request, &errors), DbInvalidArgument);
    EXPECT_EQ(assertions.Take(), std::vector<std::wstring>{L"adoCommon|bookmark != NULL"});
    EXPECT_EQ(recordset.Script().Calls("_Recordset::put_Bookmark"), 0);
    for (int32_t mode : {0, 6}) {
        EXPECT_EQ(DbReadRecord(&rowset, mode, nullptr, &request, &errors), DbFailed);
        EXPECT_EQ(assertions.Take(), std::vector<std::wstring>{L"adoCommon|false"});
    }

    Variant value = I4(99);
    EXPECT_EQ(DbReadVariantColumnValue(&rowset, &binding, nullptr, nullptr, value.Get(), &errors), DbSuccess);
    EXPECT_EQ(value.Get()->lVal, 1) << "read although the VARIANT was not empty";
    // The first read asks both provider lists; Wine's recordset names no provider, once.
    EXPECT_EQ(assertions.Take(), (std::vector<std::wstring>{L"adoCommon|vtValue.vt == VT_EMPTY", L"adoCommon|FALSE"}));
    EXPECT_EQ(errors, nullptr);
    EXPECT_EQ(recordset.Script().Calls("Field::get_Value"), 1);
}

}  // namespace
