#include "typeNames.h"

namespace {

struct TypeName {
    long code;
    const char* name;
};

const TypeName kVarTypes[] = {
    {VT_EMPTY, "VT_EMPTY"},       {VT_NULL, "VT_NULL"},
    {VT_I2, "VT_I2"},             {VT_I4, "VT_I4"},
    {VT_R4, "VT_R4"},             {VT_R8, "VT_R8"},
    {VT_CY, "VT_CY"},             {VT_DATE, "VT_DATE"},
    {VT_BSTR, "VT_BSTR"},         {VT_DISPATCH, "VT_DISPATCH"},
    {VT_ERROR, "VT_ERROR"},       {VT_BOOL, "VT_BOOL"},
    {VT_VARIANT, "VT_VARIANT"},   {VT_UNKNOWN, "VT_UNKNOWN"},
    {VT_DECIMAL, "VT_DECIMAL"},   {VT_I1, "VT_I1"},
    {VT_UI1, "VT_UI1"},           {VT_UI2, "VT_UI2"},
    {VT_UI4, "VT_UI4"},           {VT_I8, "VT_I8"},
    {VT_UI8, "VT_UI8"},           {VT_INT, "VT_INT"},
    {VT_UINT, "VT_UINT"},         {VT_VOID, "VT_VOID"},
    {VT_HRESULT, "VT_HRESULT"},   {VT_PTR, "VT_PTR"},
    {VT_SAFEARRAY, "VT_SAFEARRAY"}, {VT_CARRAY, "VT_CARRAY"},
    {VT_USERDEFINED, "VT_USERDEFINED"}, {VT_LPSTR, "VT_LPSTR"},
    {VT_LPWSTR, "VT_LPWSTR"},     {VT_RECORD, "VT_RECORD"},
    {VT_INT_PTR, "VT_INT_PTR"},   {VT_UINT_PTR, "VT_UINT_PTR"},
    {VT_FILETIME, "VT_FILETIME"}, {VT_BLOB, "VT_BLOB"},
    {VT_STREAM, "VT_STREAM"},     {VT_STORAGE, "VT_STORAGE"},
    {VT_STREAMED_OBJECT, "VT_STREAMED_OBJECT"}, {VT_STORED_OBJECT, "VT_STORED_OBJECT"},
    {VT_BLOB_OBJECT, "VT_BLOB_OBJECT"}, {VT_CF, "VT_CF"},
    {VT_CLSID, "VT_CLSID"},
};

const TypeName kVarTypeFlags[] = {{VT_VECTOR, "VT_VECTOR|"}, {VT_ARRAY, "VT_ARRAY|"}, {VT_BYREF, "VT_BYREF|"}};

// ADO's DataTypeEnum.
const TypeName kAdoTypes[] = {
    {0, "adEmpty"},          {2, "adSmallInt"},       {3, "adInteger"},        {4, "adSingle"},
    {5, "adDouble"},         {6, "adCurrency"},       {7, "adDate"},           {8, "adBSTR"},
    {9, "adIDispatch"},      {10, "adError"},         {11, "adBoolean"},       {12, "adVariant"},
    {13, "adIUnknown"},      {14, "adDecimal"},       {16, "adTinyInt"},       {17, "adUnsignedTinyInt"},
    {18, "adUnsignedSmallInt"}, {19, "adUnsignedInt"}, {20, "adBigInt"},       {21, "adUnsignedBigInt"},
    {64, "adFileTime"},      {72, "adGUID"},          {128, "adBinary"},       {129, "adChar"},
    {130, "adWChar"},        {131, "adNumeric"},      {132, "adUserDefined"},  {133, "adDBDate"},
    {134, "adDBTime"},       {135, "adDBTimeStamp"},  {136, "adChapter"},      {138, "adPropVariant"},
    {139, "adVarNumeric"},   {200, "adVarChar"},      {201, "adLongVarChar"},  {202, "adVarWChar"},
    {203, "adLongVarWChar"}, {204, "adVarBinary"},    {205, "adLongVarBinary"}, {0x2000, "adArray"},
};

template <size_t N>
const char* Find(const TypeName (&names)[N], long code) {
    for (const TypeName& entry : names)
        if (entry.code == code) return entry.name;
    return nullptr;
}

}  // namespace

std::string VarTypeName(VARTYPE type) {
    std::string flags;
    for (const TypeName& flag : kVarTypeFlags)
        if (type & flag.code) flags += flag.name;
    const VARTYPE base = type & VT_TYPEMASK;
    const char* name = Find(kVarTypes, base);
    return flags + (name ? name : "VT " + std::to_string(base));
}

std::string AdoTypeName(long type) {
    const char* name = Find(kAdoTypes, type);
    return name ? std::string(name) + " (" + std::to_string(type) + ")" : "type " + std::to_string(type);
}
