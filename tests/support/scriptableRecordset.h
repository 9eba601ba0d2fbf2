#pragma once
// A _Recordset double that forwards to a real recordset (see recordsetBuilder.h) and can:
// - fail any call it forwards, and any call of its Fields and Field doubles, on demand
//   (Script(), adoScript.h), with or without an error object;
// - act forward-only: moving back (MoveFirst once it has moved on, MovePrevious, MoveLast) is
//   refused with DB_E_CANTFETCHBACKWARDS and bookmarks with ADO error 3251, as ADO refuses them;
// - give an ActiveConnection of its own: a connection string, a FakeConnection object, or
//   empty (Wine's own recordset answers E_NOTIMPL);
// - present chapter columns (ADO type 136) whose Value is a child recordset;
// - leave a column out on chosen rows, as rows with custom fields do;
// - count its references and those of its Fields and Field doubles (testDouble.h).
// Forwarded: get_Fields, get_BOF, get_EOF, get_/put_Bookmark, MoveFirst, MoveNext,
// MovePrevious, MoveLast, Cancel, get_ActiveConnection; any other call fails the test. Being
// asked for _Recordset counts, and can fail, as "_Recordset::QueryInterface".
//
//     ScriptableRecordset orders(BuildRecordset(columns, rows));
//     orders.AddChapter(1, L"Lines", lines);           // a second column, a chapter
//     orders.Script().Fail("_Recordset::MoveNext", E_FAIL);

#include <memory>
#include <vector>

#include "ado/adoInterfaces.h"
#include "common/comPtr.h"
#include "common/variant.h"
#include "support/adoScript.h"
#include "support/scriptableFields.h"

class ScriptableRecordset final : public _Recordset, public ISupportErrorInfo {
public:
    explicit ScriptableRecordset(ComPtr<_Recordset> inner);
    ~ScriptableRecordset();
    ScriptableRecordset(const ScriptableRecordset&) = delete;
    ScriptableRecordset& operator=(const ScriptableRecordset&) = delete;

    AdoScript& Script() { return script_; }
    void ActForwardOnly(bool forwardOnly = true) { forwardOnly_ = forwardOnly; }
    // A VT_BSTR connection string, a VT_DISPATCH connection, or VT_EMPTY.
    void SetActiveConnection(Variant connection) { connection_ = std::make_unique<Variant>(std::move(connection)); }
    // Before the first get_Fields: a chapter column at position among all columns.
    void AddChapter(LONG position, std::wstring name, ComPtr<_Recordset> child);
    // Custom fields: the row whose first column reads as key has no column called name; asking
    // for it there fails as ADO fails for a name that is not in the collection.
    void LackOnRow(std::wstring key, std::wstring name) { lacking_.push_back({std::move(key), std::move(name)}); }

    ULONG References() const { return references_.Value(); }
    void LogReleasesTo(std::vector<std::string>& log, std::string name) { references_.LogReleasesTo(log, std::move(name)); }
    // References that others hold to the Fields double and its Field doubles.
    ULONG FieldsReferences() const;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return references_.Add(); }
    ULONG STDMETHODCALLTYPE Release() override { return references_.Release(); }
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

    HRESULT STDMETHODCALLTYPE get_Fields(Fields** fields) override;
    HRESULT STDMETHODCALLTYPE get_BOF(VARIANT_BOOL* bof) override;
    HRESULT STDMETHODCALLTYPE get_EOF(VARIANT_BOOL* eof) override;
    HRESULT STDMETHODCALLTYPE get_Bookmark(VARIANT* bookmark) override;
    HRESULT STDMETHODCALLTYPE put_Bookmark(VARIANT bookmark) override;
    HRESULT STDMETHODCALLTYPE MoveFirst() override;
    HRESULT STDMETHODCALLTYPE MoveNext() override;
    HRESULT STDMETHODCALLTYPE MovePrevious() override;
    HRESULT STDMETHODCALLTYPE MoveLast() override;
    HRESULT STDMETHODCALLTYPE Cancel() override;
    HRESULT STDMETHODCALLTYPE get_ActiveConnection(VARIANT* connection) override;

    ADO_UNEXPECTED_BASE(_Recordset)
    ADO_UNEXPECTED(_Recordset, get_AbsolutePosition, AdoLongPtr*)
    ADO_UNEXPECTED(_Recordset, put_AbsolutePosition, AdoLongPtr)
    ADO_UNEXPECTED(_Recordset, putref_ActiveConnection, IDispatch*)
    ADO_UNEXPECTED(_Recordset, put_ActiveConnection, VARIANT)
    ADO_UNEXPECTED(_Recordset, get_CacheSize, LONG*)
    ADO_UNEXPECTED(_Recordset, put_CacheSize, LONG)
    ADO_UNEXPECTED(_Recordset, get_CursorType, CursorTypeEnum*)
    ADO_UNEXPECTED(_Recordset, put_CursorType, CursorTypeEnum)
    ADO_UNEXPECTED(_Recordset, get_LockType, LockTypeEnum*)
    ADO_UNEXPECTED(_Recordset, put_LockType, LockTypeEnum)
    ADO_UNEXPECTED(_Recordset, get_MaxRecords, AdoLongPtr*)
    ADO_UNEXPECTED(_Recordset, put_MaxRecords, AdoLongPtr)
    ADO_UNEXPECTED(_Recordset, get_RecordCount, AdoLongPtr*)
    ADO_UNEXPECTED(_Recordset, putref_Source, IDispatch*)
    ADO_UNEXPECTED(_Recordset, put_Source, BSTR)
    ADO_UNEXPECTED(_Recordset, get_Source, VARIANT*)
    ADO_UNEXPECTED(_Recordset, AddNew, VARIANT, VARIANT)
    ADO_UNEXPECTED(_Recordset, CancelUpdate)
    ADO_UNEXPECTED(_Recordset, Close)
    ADO_UNEXPECTED(_Recordset, Delete, LONG)
    ADO_UNEXPECTED(_Recordset, GetRows, LONG, VARIANT, VARIANT, VARIANT*)
    ADO_UNEXPECTED(_Recordset, Move, AdoLongPtr, VARIANT)
    ADO_UNEXPECTED(_Recordset, Open, VARIANT, VARIANT, CursorTypeEnum, LockTypeEnum, LONG)
    ADO_UNEXPECTED(_Recordset, Requery, LONG)
    ADO_UNEXPECTED(_Recordset, _xResync, LONG)
    ADO_UNEXPECTED(_Recordset, Update, VARIANT, VARIANT)
    ADO_UNEXPECTED(_Recordset, get_AbsolutePage, AdoLongPtr*)
    ADO_UNEXPECTED(_Recordset, put_AbsolutePage, AdoLongPtr)
    ADO_UNEXPECTED(_Recordset, get_EditMode, LONG*)
    ADO_UNEXPECTED(_Recordset, get_Filter, VARIANT*)
    ADO_UNEXPECTED(_Recordset, put_Filter, VARIANT)
    ADO_UNEXPECTED(_Recordset, get_PageCount, AdoLongPtr*)
    ADO_UNEXPECTED(_Recordset, get_PageSize, LONG*)
    ADO_UNEXPECTED(_Recordset, put_PageSize, LONG)
    ADO_UNEXPECTED(_Recordset, get_Sort, BSTR*)
    ADO_UNEXPECTED(_Recordset, put_Sort, BSTR)
    ADO_UNEXPECTED(_Recordset, get_Status, LONG*)
    ADO_UNEXPECTED(_Recordset, get_State, LONG*)
    ADO_UNEXPECTED(_Recordset, _xClone, _Recordset**)
    ADO_UNEXPECTED(_Recordset, UpdateBatch, LONG)
    ADO_UNEXPECTED(_Recordset, CancelBatch, LONG)
    ADO_UNEXPECTED(_Recordset, get_CursorLocation, LONG*)
    ADO_UNEXPECTED(_Recordset, put_CursorLocation, LONG)
    ADO_UNEXPECTED(_Recordset, NextRecordset, VARIANT*, _Recordset**)
    ADO_UNEXPECTED(_Recordset, Supports, LONG, VARIANT_BOOL*)
    ADO_UNEXPECTED(_Recordset, get_Collect, VARIANT, VARIANT*)
    ADO_UNEXPECTED(_Recordset, put_Collect, VARIANT, VARIANT)
    ADO_UNEXPECTED(_Recordset, get_MarshalOptions, LONG*)
    ADO_UNEXPECTED(_Recordset, put_MarshalOptions, LONG)
    ADO_UNEXPECTED(_Recordset, Find, BSTR, AdoLongPtr, LONG, VARIANT)
    ADO_UNEXPECTED(_Recordset, get_DataSource, IUnknown**)
    ADO_UNEXPECTED(_Recordset, putref_DataSource, IUnknown*)
    ADO_UNEXPECTED(_Recordset, _xSave, BSTR, LONG)
    ADO_UNEXPECTED(_Recordset, get_ActiveCommand, IDispatch**)
    ADO_UNEXPECTED(_Recordset, put_StayInSync, VARIANT_BOOL)
    ADO_UNEXPECTED(_Recordset, get_StayInSync, VARIANT_BOOL*)
    ADO_UNEXPECTED(_Recordset, GetString, LONG, LONG, BSTR, BSTR, BSTR, BSTR*)
    ADO_UNEXPECTED(_Recordset, get_DataMember, BSTR*)
    ADO_UNEXPECTED(_Recordset, put_DataMember, BSTR)
    ADO_UNEXPECTED(_Recordset, CompareBookmarks, VARIANT, VARIANT, LONG*)
    ADO_UNEXPECTED(_Recordset, Clone, LockTypeEnum, _Recordset**)
    ADO_UNEXPECTED(_Recordset, Resync, LONG, LONG)
    ADO_UNEXPECTED(_Recordset, Seek, VARIANT, LONG)
    ADO_UNEXPECTED(_Recordset, put_Index, BSTR)
    ADO_UNEXPECTED(_Recordset, get_Index, BSTR*)
    ADO_UNEXPECTED(_Recordset, Save, VARIANT, LONG)

private:
    HRESULT RefuseBackward(const char* call);

    AdoScript script_;
    ReferenceCount references_{"ScriptableRecordset"};
    ComPtr<_Recordset> inner_;
    std::vector<ScriptableFields::Chapter> chapters_;
    std::vector<ScriptableFields::Lacking> lacking_;
    std::unique_ptr<ScriptableFields> fields_;
    std::unique_ptr<Variant> connection_;
    bool forwardOnly_ = false;
    bool movedOn_ = false;
};

// A _Connection double that answers Provider and counts its references; any other call fails
// the test.
class FakeConnection final : public _Connection {
public:
    explicit FakeConnection(const wchar_t* provider) : provider_(provider) {}
    FakeConnection(const FakeConnection&) = delete;
    FakeConnection& operator=(const FakeConnection&) = delete;

    ULONG References() const { return references_.Value(); }
    void FailProvider(HRESULT result) { providerFailure_ = result; }
    // An ActiveConnection holding this connection.
    Variant AsActiveConnection();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return references_.Add(); }
    ULONG STDMETHODCALLTYPE Release() override { return references_.Release(); }
    HRESULT STDMETHODCALLTYPE get_Provider(BSTR* provider) override;

    ADO_UNEXPECTED_BASE(_Connection)
    ADO_UNEXPECTED(_Connection, get_ConnectionString, BSTR*)
    ADO_UNEXPECTED(_Connection, put_ConnectionString, BSTR)
    ADO_UNEXPECTED(_Connection, get_CommandTimeout, LONG*)
    ADO_UNEXPECTED(_Connection, put_CommandTimeout, LONG)
    ADO_UNEXPECTED(_Connection, get_ConnectionTimeout, LONG*)
    ADO_UNEXPECTED(_Connection, put_ConnectionTimeout, LONG)
    ADO_UNEXPECTED(_Connection, get_Version, BSTR*)
    ADO_UNEXPECTED(_Connection, Close)
    ADO_UNEXPECTED(_Connection, Execute, BSTR, VARIANT*, LONG, _Recordset**)
    ADO_UNEXPECTED(_Connection, BeginTrans, LONG*)
    ADO_UNEXPECTED(_Connection, CommitTrans)
    ADO_UNEXPECTED(_Connection, RollbackTrans)
    ADO_UNEXPECTED(_Connection, Open, BSTR, BSTR, BSTR, LONG)
    ADO_UNEXPECTED(_Connection, get_Errors, IDispatch**)
    ADO_UNEXPECTED(_Connection, get_DefaultDatabase, BSTR*)
    ADO_UNEXPECTED(_Connection, put_DefaultDatabase, BSTR)
    ADO_UNEXPECTED(_Connection, get_IsolationLevel, LONG*)
    ADO_UNEXPECTED(_Connection, put_IsolationLevel, LONG)
    ADO_UNEXPECTED(_Connection, get_Attributes, LONG*)
    ADO_UNEXPECTED(_Connection, put_Attributes, LONG)
    ADO_UNEXPECTED(_Connection, get_CursorLocation, LONG*)
    ADO_UNEXPECTED(_Connection, put_CursorLocation, LONG)
    ADO_UNEXPECTED(_Connection, get_Mode, ConnectModeEnum*)
    ADO_UNEXPECTED(_Connection, put_Mode, ConnectModeEnum)
    ADO_UNEXPECTED(_Connection, put_Provider, BSTR)
    ADO_UNEXPECTED(_Connection, get_State, LONG*)
    ADO_UNEXPECTED(_Connection, OpenSchema, LONG, VARIANT, VARIANT, _Recordset**)
    ADO_UNEXPECTED(_Connection, Cancel)

private:
    ReferenceCount references_{"FakeConnection"};
    std::wstring provider_;
    HRESULT providerFailure_ = S_OK;
};
