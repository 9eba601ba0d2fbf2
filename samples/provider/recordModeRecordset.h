#pragma once
// The recordset of a record-mode method: Wine's own recordset of a tree's top table, every
// call forwarded to it except ActiveConnection, which answers "Provider=NAME;" so that the
// driver's provider lists can pick the method out (Wine's own answers E_NOTIMPL), and with
// ISampleRows for the sample's record. Late-bound calls through IDispatch go to Wine's
// recordset unchanged.

#include <atomic>
#include <memory>
#include <string>

#include "ado/adoInterfaces.h"
#include "common/comPtr.h"
#include "recordTree.h"
#include "sampleRows.h"

class RecordModeRecordset final : public _Recordset, public ISampleRows {
public:
    // Raises ComError when Wine's recordset cannot be built.
    static ComPtr<_Recordset> Create(const std::wstring& providerName, std::shared_ptr<const RecordTree> tree);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE get_ActiveConnection(VARIANT* connection) override;
    HRESULT STDMETHODCALLTYPE CurrentRow(LONG* key, RecordTypeEnum* type) override;
    HRESULT STDMETHODCALLTYPE ChildrenOf(LONG key, _Recordset** children) override;

#define FORWARD(name, parameters, arguments) \
    HRESULT STDMETHODCALLTYPE name parameters override { return inner_->name arguments; }
    FORWARD(GetTypeInfoCount, (UINT* count), (count))
    FORWARD(GetTypeInfo, (UINT index, LCID locale, ITypeInfo** info), (index, locale, info))
    FORWARD(GetIDsOfNames, (REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids),
            (iid, names, count, locale, ids))
    FORWARD(Invoke,
            (DISPID member, REFIID iid, LCID locale, WORD flags, DISPPARAMS* arguments, VARIANT* result,
             EXCEPINFO* exception, UINT* argumentError),
            (member, iid, locale, flags, arguments, result, exception, argumentError))
    FORWARD(get_Properties, (Properties** properties), (properties))
    FORWARD(get_AbsolutePosition, (AdoLongPtr* position), (position))
    FORWARD(put_AbsolutePosition, (AdoLongPtr position), (position))
    FORWARD(putref_ActiveConnection, (IDispatch* connection), (connection))
    FORWARD(put_ActiveConnection, (VARIANT connection), (connection))
    FORWARD(get_BOF, (VARIANT_BOOL* bof), (bof))
    FORWARD(get_Bookmark, (VARIANT* bookmark), (bookmark))
    FORWARD(put_Bookmark, (VARIANT bookmark), (bookmark))
    FORWARD(get_CacheSize, (LONG* size), (size))
    FORWARD(put_CacheSize, (LONG size), (size))
    FORWARD(get_CursorType, (CursorTypeEnum* type), (type))
    FORWARD(put_CursorType, (CursorTypeEnum type), (type))
    FORWARD(get_EOF, (VARIANT_BOOL* eof), (eof))
    FORWARD(get_Fields, (Fields** fields), (fields))
    FORWARD(get_LockType, (LockTypeEnum* type), (type))
    FORWARD(put_LockType, (LockTypeEnum type), (type))
    FORWARD(get_MaxRecords, (AdoLongPtr* count), (count))
    FORWARD(put_MaxRecords, (AdoLongPtr count), (count))
    FORWARD(get_RecordCount, (AdoLongPtr* count), (count))
    FORWARD(putref_Source, (IDispatch* command), (command))
    FORWARD(put_Source, (BSTR source), (source))
    FORWARD(get_Source, (VARIANT* source), (source))
    FORWARD(AddNew, (VARIANT fieldList, VARIANT values), (fieldList, values))
    FORWARD(CancelUpdate, (), ())
    FORWARD(Close, (), ())
    FORWARD(Delete, (LONG affectRecords), (affectRecords))
    FORWARD(GetRows, (LONG rows, VARIANT start, VARIANT fields, VARIANT* result), (rows, start, fields, result))
    FORWARD(Move, (AdoLongPtr count, VARIANT start), (count, start))
    FORWARD(MoveNext, (), ())
    FORWARD(MovePrevious, (), ())
    FORWARD(MoveFirst, (), ())
    FORWARD(MoveLast, (), ())
    FORWARD(Open,
            (VARIANT source, VARIANT activeConnection, CursorTypeEnum cursorType, LockTypeEnum lockType,
             LONG options),
            (source, activeConnection, cursorType, lockType, options))
    FORWARD(Requery, (LONG options), (options))
    FORWARD(_xResync, (LONG affectRecords), (affectRecords))
    FORWARD(Update, (VARIANT fields, VARIANT values), (fields, values))
    FORWARD(get_AbsolutePage, (AdoLongPtr* page), (page))
    FORWARD(put_AbsolutePage, (AdoLongPtr page), (page))
    FORWARD(get_EditMode, (LONG* mode), (mode))
    FORWARD(get_Filter, (VARIANT* criteria), (criteria))
    FORWARD(put_Filter, (VARIANT criteria), (criteria))
    FORWARD(get_PageCount, (AdoLongPtr* count), (count))
    FORWARD(get_PageSize, (LONG* size), (size))
    FORWARD(put_PageSize, (LONG size), (size))
    FORWARD(get_Sort, (BSTR* criteria), (criteria))
    FORWARD(put_Sort, (BSTR criteria), (criteria))
    FORWARD(get_Status, (LONG* status), (status))
    FORWARD(get_State, (LONG* state), (state))
    FORWARD(_xClone, (_Recordset** clone), (clone))
    FORWARD(UpdateBatch, (LONG affectRecords), (affectRecords))
    FORWARD(CancelBatch, (LONG affectRecords), (affectRecords))
    FORWARD(get_CursorLocation, (LONG* location), (location))
    FORWARD(put_CursorLocation, (LONG location), (location))
    FORWARD(NextRecordset, (VARIANT* recordsAffected, _Recordset** next), (recordsAffected, next))
    FORWARD(Supports, (LONG cursorOptions, VARIANT_BOOL* supported), (cursorOptions, supported))
    FORWARD(get_Collect, (VARIANT index, VARIANT* value), (index, value))
    FORWARD(put_Collect, (VARIANT index, VARIANT value), (index, value))
    FORWARD(get_MarshalOptions, (LONG* options), (options))
    FORWARD(put_MarshalOptions, (LONG options), (options))
    FORWARD(Find, (BSTR criteria, AdoLongPtr skipRecords, LONG searchDirection, VARIANT start),
            (criteria, skipRecords, searchDirection, start))
    FORWARD(Cancel, (), ())
    FORWARD(get_DataSource, (IUnknown** dataSource), (dataSource))
    FORWARD(putref_DataSource, (IUnknown* dataSource), (dataSource))
    FORWARD(_xSave, (BSTR fileName, LONG persistFormat), (fileName, persistFormat))
    FORWARD(get_ActiveCommand, (IDispatch** command), (command))
    FORWARD(put_StayInSync, (VARIANT_BOOL stayInSync), (stayInSync))
    FORWARD(get_StayInSync, (VARIANT_BOOL* stayInSync), (stayInSync))
    FORWARD(GetString,
            (LONG stringFormat, LONG rowCount, BSTR columnDelimiter, BSTR rowDelimiter, BSTR nullExpression,
             BSTR* result),
            (stringFormat, rowCount, columnDelimiter, rowDelimiter, nullExpression, result))
    FORWARD(get_DataMember, (BSTR* dataMember), (dataMember))
    FORWARD(put_DataMember, (BSTR dataMember), (dataMember))
    FORWARD(CompareBookmarks, (VARIANT bookmark1, VARIANT bookmark2, LONG* compare), (bookmark1, bookmark2, compare))
    FORWARD(Clone, (LockTypeEnum lockType, _Recordset** clone), (lockType, clone))
    FORWARD(Resync, (LONG affectRecords, LONG resyncValues), (affectRecords, resyncValues))
    FORWARD(Seek, (VARIANT keyValues, LONG seekOption), (keyValues, seekOption))
    FORWARD(put_Index, (BSTR index), (index))
    FORWARD(get_Index, (BSTR* index), (index))
    FORWARD(Save, (VARIANT destination, LONG persistFormat), (destination, persistFormat))
#undef FORWARD

private:
    RecordModeRecordset(std::wstring providerName, std::shared_ptr<const RecordTree> tree, ComPtr<_Recordset> inner);
    ~RecordModeRecordset();

    std::atomic<ULONG> references_{1};
    const std::wstring providerName_;
    const std::shared_ptr<const RecordTree> tree_;
    const ComPtr<_Recordset> inner_;
};
