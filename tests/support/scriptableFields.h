#pragma once
// The Fields and Field doubles of a ScriptableRecordset: they forward to the real recordset's
// columns, add chapter columns (ADO type 136) whose Value is a child recordset, fail on the
// recordset's script, and count their references. One Field double per position, kept until
// the Fields double goes, so that every hand-out is counted on the same object.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ado/adoInterfaces.h"
#include "common/comPtr.h"
#include "support/adoScript.h"

class ScriptableField final : public Field, public ISupportErrorInfo {
public:
    // A real column, or a chapter column named name whose value is child (held by the recordset double).
    ScriptableField(AdoScript& script, ComPtr<Field> inner);
    ScriptableField(AdoScript& script, std::wstring name, _Recordset* child);
    ScriptableField(const ScriptableField&) = delete;
    ScriptableField& operator=(const ScriptableField&) = delete;

    ULONG References() const { return references_.Value(); }
    // The column's name, read without going through the script.
    std::wstring Name() const;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return references_.Add(); }
    ULONG STDMETHODCALLTYPE Release() override { return references_.Release(); }
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

    HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_Type(DataTypeEnum* type) override;
    HRESULT STDMETHODCALLTYPE get_DefinedSize(AdoLongPtr* size) override;
    HRESULT STDMETHODCALLTYPE get_Value(VARIANT* value) override;

    ADO_UNEXPECTED_BASE(Field)
    ADO_UNEXPECTED(Field, get_ActualSize, AdoLongPtr*)
    ADO_UNEXPECTED(Field, get_Attributes, LONG*)
    ADO_UNEXPECTED(Field, put_Value, VARIANT)
    ADO_UNEXPECTED(Field, get_Precision, BYTE*)
    ADO_UNEXPECTED(Field, get_NumericScale, BYTE*)
    ADO_UNEXPECTED(Field, AppendChunk, VARIANT)
    ADO_UNEXPECTED(Field, GetChunk, LONG, VARIANT*)
    ADO_UNEXPECTED(Field, get_OriginalValue, VARIANT*)
    ADO_UNEXPECTED(Field, get_UnderlyingValue, VARIANT*)
    ADO_UNEXPECTED(Field, get_DataFormat, IUnknown**)
    ADO_UNEXPECTED(Field, putref_DataFormat, IUnknown*)
    ADO_UNEXPECTED(Field, put_Precision, BYTE)
    ADO_UNEXPECTED(Field, put_NumericScale, BYTE)
    ADO_UNEXPECTED(Field, put_Type, DataTypeEnum)
    ADO_UNEXPECTED(Field, put_DefinedSize, AdoLongPtr)
    ADO_UNEXPECTED(Field, put_Attributes, LONG)
    ADO_UNEXPECTED(Field, get_Status, LONG*)

private:
    AdoScript& script_;
    ReferenceCount references_{"ScriptableField"};
    ComPtr<Field> inner_;
    std::wstring chapterName_;
    _Recordset* chapter_ = nullptr;
};

class ScriptableFields final : public Fields, public ISupportErrorInfo {
public:
    struct Chapter {
        LONG position;  // where the column stands among all columns
        std::wstring name;
        ComPtr<_Recordset> child;
    };

    // Custom fields: the row whose first column reads as key has no column named name.
    struct Lacking {
        std::wstring key;
        std::wstring name;
    };

    // The chapters and lacking columns stay the recordset double's.
    ScriptableFields(AdoScript& script, ComPtr<Fields> inner, const std::vector<Chapter>& chapters,
                     const std::vector<Lacking>& lacking);
    ScriptableFields(const ScriptableFields&) = delete;
    ScriptableFields& operator=(const ScriptableFields&) = delete;

    ULONG References() const { return references_.Value(); }
    // References that others hold to the Field doubles (their own ones excluded).
    ULONG FieldReferences() const;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return references_.Add(); }
    ULONG STDMETHODCALLTYPE Release() override { return references_.Release(); }
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

    HRESULT STDMETHODCALLTYPE get_Count(LONG* count) override;
    HRESULT STDMETHODCALLTYPE get_Item(VARIANT index, Field** field) override;

    ADO_UNEXPECTED_DISPATCH(Fields)
    ADO_UNEXPECTED(Fields, _NewEnum, IUnknown**)
    ADO_UNEXPECTED(Fields, Refresh)
    ADO_UNEXPECTED(Fields, _Append, BSTR, DataTypeEnum, AdoLongPtr, FieldAttributeEnum)
    ADO_UNEXPECTED(Fields, Delete, VARIANT)
    ADO_UNEXPECTED(Fields, Append, BSTR, DataTypeEnum, AdoLongPtr, FieldAttributeEnum, VARIANT)
    ADO_UNEXPECTED(Fields, Update)
    ADO_UNEXPECTED(Fields, Resync, LONG)
    ADO_UNEXPECTED(Fields, CancelUpdate)

private:
    LONG InnerCount() const;
    // The double at a position of all columns; null past the end.
    ScriptableField* FieldAt(LONG position);
    // The position of the first column of that name, without regard to case; -1 when none.
    LONG PositionOf(const wchar_t* name);
    bool CurrentRowLacks(const wchar_t* name) const;

    AdoScript& script_;
    ReferenceCount references_{"ScriptableFields"};
    ComPtr<Fields> inner_;
    const std::vector<Chapter>& chapters_;
    const std::vector<Lacking>& lacking_;
    std::map<LONG, std::unique_ptr<ScriptableField>> fields_;
};
