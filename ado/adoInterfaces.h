#pragma once
// The ADO interfaces that the driver and its tests call, in vtable order with every inherited
// slot, under their 64-bit IIDs. mingw-w64's ADO headers do not compile as C++ and declare 4-byte
// sizes and counts where 64-bit ADO writes 8 bytes (AdoLongPtr), which would corrupt the
// caller's stack. Enumerations that no caller names are passed as LONG, which has their size.

#include <windows.h>
#include <oaidl.h>

using AdoLongPtr = LONGLONG;

enum DataTypeEnum : LONG {
    adEmpty = 0,
    adSmallInt = 2,
    adInteger = 3,
    adSingle = 4,
    adDouble = 5,
    adCurrency = 6,
    adDate = 7,
    adBSTR = 8,
    adIDispatch = 9,
    adError = 10,
    adBoolean = 11,
    adVariant = 12,
    adIUnknown = 13,
    adDecimal = 14,
    adTinyInt = 16,
    adUnsignedTinyInt = 17,
    adUnsignedSmallInt = 18,
    adUnsignedInt = 19,
    adBigInt = 20,
    adUnsignedBigInt = 21,
    adFileTime = 64,
    adGUID = 72,
    adBinary = 128,
    adChar = 129,
    adWChar = 130,
    adNumeric = 131,
    adUserDefined = 132,
    adDBDate = 133,
    adDBTime = 134,
    adDBTimeStamp = 135,
    adChapter = 136,
    adPropVariant = 138,
    adVarNumeric = 139,
    adVarChar = 200,
    adLongVarChar = 201,
    adVarWChar = 202,
    adLongVarWChar = 203,
    adVarBinary = 204,
    adLongVarBinary = 205,
};

enum FieldAttributeEnum : LONG {
    adFldUnspecified = -1,
    adFldIsNullable = 0x20,
    adFldMayBeNull = 0x40,
    adFldLong = 0x80,
    adFldIsChapter = 0x2000,
};

enum CursorTypeEnum : LONG {
    adOpenUnspecified = -1,
    adOpenForwardOnly = 0,
    adOpenKeyset = 1,
    adOpenDynamic = 2,
    adOpenStatic = 3,
};

enum LockTypeEnum : LONG {
    adLockUnspecified = -1,
    adLockReadOnly = 1,
    adLockPessimistic = 2,
    adLockOptimistic = 3,
    adLockBatchOptimistic = 4,
};

enum ObjectStateEnum : LONG {
    adStateClosed = 0,
    adStateOpen = 1,
};

enum RecordTypeEnum : LONG {
    adSimpleRecord = 0,
    adCollectionRecord = 1,
    adRecordUnknown = -1,
    adStructDoc = 2,
};

enum ConnectModeEnum : LONG {
    adModeUnknown = 0,
    adModeRead = 1,
};

enum RecordCreateOptionsEnum : LONG {
    adFailIfNotExists = -1,
};

enum RecordOpenOptionsEnum : LONG {
    adOpenRecordUnspecified = -1,
    adDelayFetchFields = 0x8000,
};

struct Properties;
struct Field;
struct Fields;
struct _Recordset;
struct _Connection;
struct _Record;

struct _ADO : IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_Properties(Properties** properties) = 0;
};

struct _Collection : IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_Count(LONG* count) = 0;
    virtual HRESULT STDMETHODCALLTYPE _NewEnum(IUnknown** enumerator) = 0;
    virtual HRESULT STDMETHODCALLTYPE Refresh() = 0;
};

struct Field20 : _ADO {
    virtual HRESULT STDMETHODCALLTYPE get_ActualSize(AdoLongPtr* size) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Attributes(LONG* attributes) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_DefinedSize(AdoLongPtr* size) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Type(DataTypeEnum* type) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Value(VARIANT* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Value(VARIANT value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Precision(BYTE* precision) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_NumericScale(BYTE* scale) = 0;
    virtual HRESULT STDMETHODCALLTYPE AppendChunk(VARIANT data) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetChunk(LONG length, VARIANT* data) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_OriginalValue(VARIANT* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_UnderlyingValue(VARIANT* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_DataFormat(IUnknown** format) = 0;
    virtual HRESULT STDMETHODCALLTYPE putref_DataFormat(IUnknown* format) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Precision(BYTE precision) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_NumericScale(BYTE scale) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Type(DataTypeEnum type) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_DefinedSize(AdoLongPtr size) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Attributes(LONG attributes) = 0;
};

struct Field : Field20 {
    virtual HRESULT STDMETHODCALLTYPE get_Status(LONG* status) = 0;
};

struct Fields15 : _Collection {
    virtual HRESULT STDMETHODCALLTYPE get_Item(VARIANT index, Field** field) = 0;
};

struct Fields20 : Fields15 {
    virtual HRESULT STDMETHODCALLTYPE _Append(BSTR name, DataTypeEnum type, AdoLongPtr definedSize,
                                              FieldAttributeEnum attributes) = 0;
    virtual HRESULT STDMETHODCALLTYPE Delete(VARIANT index) = 0;
};

struct Fields : Fields20 {
    virtual HRESULT STDMETHODCALLTYPE Append(BSTR name, DataTypeEnum type, AdoLongPtr definedSize,
                                             FieldAttributeEnum attributes, VARIANT value) = 0;
    virtual HRESULT STDMETHODCALLTYPE Update() = 0;
    virtual HRESULT STDMETHODCALLTYPE Resync(LONG resyncValues) = 0;
    virtual HRESULT STDMETHODCALLTYPE CancelUpdate() = 0;
};

struct Recordset15 : _ADO {
    virtual HRESULT STDMETHODCALLTYPE get_AbsolutePosition(AdoLongPtr* position) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_AbsolutePosition(AdoLongPtr position) = 0;
    virtual HRESULT STDMETHODCALLTYPE putref_ActiveConnection(IDispatch* connection) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_ActiveConnection(VARIANT connection) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ActiveConnection(VARIANT* connection) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_BOF(VARIANT_BOOL* bof) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Bookmark(VARIANT* bookmark) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Bookmark(VARIANT bookmark) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_CacheSize(LONG* size) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_CacheSize(LONG size) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_CursorType(CursorTypeEnum* type) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_CursorType(CursorTypeEnum type) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_EOF(VARIANT_BOOL* eof) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Fields(Fields** fields) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_LockType(LockTypeEnum* type) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_LockType(LockTypeEnum type) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_MaxRecords(AdoLongPtr* count) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_MaxRecords(AdoLongPtr count) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_RecordCount(AdoLongPtr* count) = 0;
    virtual HRESULT STDMETHODCALLTYPE putref_Source(IDispatch* command) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Source(BSTR source) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Source(VARIANT* source) = 0;
    virtual HRESULT STDMETHODCALLTYPE AddNew(VARIANT fieldList, VARIANT values) = 0;
    virtual HRESULT STDMETHODCALLTYPE CancelUpdate() = 0;
    virtual HRESULT STDMETHODCALLTYPE Close() = 0;
    virtual HRESULT STDMETHODCALLTYPE Delete(LONG affectRecords) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRows(LONG rows, VARIANT start, VARIANT fields, VARIANT* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE Move(AdoLongPtr count, VARIANT start) = 0;
    virtual HRESULT STDMETHODCALLTYPE MoveNext() = 0;
    virtual HRESULT STDMETHODCALLTYPE MovePrevious() = 0;
    virtual HRESULT STDMETHODCALLTYPE MoveFirst() = 0;
    virtual HRESULT STDMETHODCALLTYPE MoveLast() = 0;
    virtual HRESULT STDMETHODCALLTYPE Open(VARIANT source, VARIANT activeConnection, CursorTypeEnum cursorType,
                                           LockTypeEnum lockType, LONG options) = 0;
    virtual HRESULT STDMETHODCALLTYPE Requery(LONG options) = 0;
    virtual HRESULT STDMETHODCALLTYPE _xResync(LONG affectRecords) = 0;
    virtual HRESULT STDMETHODCALLTYPE Update(VARIANT fields, VARIANT values) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_AbsolutePage(AdoLongPtr* page) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_AbsolutePage(AdoLongPtr page) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_EditMode(LONG* mode) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Filter(VARIANT* criteria) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Filter(VARIANT criteria) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_PageCount(AdoLongPtr* count) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_PageSize(LONG* size) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_PageSize(LONG size) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Sort(BSTR* criteria) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Sort(BSTR criteria) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Status(LONG* status) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_State(LONG* state) = 0;
    virtual HRESULT STDMETHODCALLTYPE _xClone(_Recordset** clone) = 0;
    virtual HRESULT STDMETHODCALLTYPE UpdateBatch(LONG affectRecords) = 0;
    virtual HRESULT STDMETHODCALLTYPE CancelBatch(LONG affectRecords) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_CursorLocation(LONG* location) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_CursorLocation(LONG location) = 0;
    virtual HRESULT STDMETHODCALLTYPE NextRecordset(VARIANT* recordsAffected, _Recordset** next) = 0;
    virtual HRESULT STDMETHODCALLTYPE Supports(LONG cursorOptions, VARIANT_BOOL* supported) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Collect(VARIANT index, VARIANT* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Collect(VARIANT index, VARIANT value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_MarshalOptions(LONG* options) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_MarshalOptions(LONG options) = 0;
    virtual HRESULT STDMETHODCALLTYPE Find(BSTR criteria, AdoLongPtr skipRecords, LONG searchDirection,
                                           VARIANT start) = 0;
};

struct Recordset20 : Recordset15 {
    virtual HRESULT STDMETHODCALLTYPE Cancel() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_DataSource(IUnknown** dataSource) = 0;
    virtual HRESULT STDMETHODCALLTYPE putref_DataSource(IUnknown* dataSource) = 0;
    virtual HRESULT STDMETHODCALLTYPE _xSave(BSTR fileName, LONG persistFormat) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ActiveCommand(IDispatch** command) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_StayInSync(VARIANT_BOOL stayInSync) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_StayInSync(VARIANT_BOOL* stayInSync) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetString(LONG stringFormat, LONG rowCount, BSTR columnDelimiter,
                                                BSTR rowDelimiter, BSTR nullExpression, BSTR* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_DataMember(BSTR* dataMember) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_DataMember(BSTR dataMember) = 0;
    virtual HRESULT STDMETHODCALLTYPE CompareBookmarks(VARIANT bookmark1, VARIANT bookmark2, LONG* compare) = 0;
    virtual HRESULT STDMETHODCALLTYPE Clone(LockTypeEnum lockType, _Recordset** clone) = 0;
    virtual HRESULT STDMETHODCALLTYPE Resync(LONG affectRecords, LONG resyncValues) = 0;
};

struct Recordset21 : Recordset20 {
    virtual HRESULT STDMETHODCALLTYPE Seek(VARIANT keyValues, LONG seekOption) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Index(BSTR index) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Index(BSTR* index) = 0;
};

struct _Recordset : Recordset21 {
    virtual HRESULT STDMETHODCALLTYPE Save(VARIANT destination, LONG persistFormat) = 0;
};

struct Connection15 : _ADO {
    virtual HRESULT STDMETHODCALLTYPE get_ConnectionString(BSTR* text) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_ConnectionString(BSTR text) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_CommandTimeout(LONG* timeout) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_CommandTimeout(LONG timeout) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ConnectionTimeout(LONG* timeout) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_ConnectionTimeout(LONG timeout) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Version(BSTR* version) = 0;
    virtual HRESULT STDMETHODCALLTYPE Close() = 0;
    virtual HRESULT STDMETHODCALLTYPE Execute(BSTR commandText, VARIANT* recordsAffected, LONG options,
                                              _Recordset** result) = 0;
    virtual HRESULT STDMETHODCALLTYPE BeginTrans(LONG* level) = 0;
    virtual HRESULT STDMETHODCALLTYPE CommitTrans() = 0;
    virtual HRESULT STDMETHODCALLTYPE RollbackTrans() = 0;
    virtual HRESULT STDMETHODCALLTYPE Open(BSTR connectionString, BSTR userId, BSTR password, LONG options) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Errors(IDispatch** errors) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_DefaultDatabase(BSTR* database) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_DefaultDatabase(BSTR database) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsolationLevel(LONG* level) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_IsolationLevel(LONG level) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Attributes(LONG* attributes) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Attributes(LONG attributes) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_CursorLocation(LONG* location) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_CursorLocation(LONG location) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Mode(ConnectModeEnum* mode) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Mode(ConnectModeEnum mode) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Provider(BSTR* provider) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Provider(BSTR provider) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_State(LONG* state) = 0;
    virtual HRESULT STDMETHODCALLTYPE OpenSchema(LONG schema, VARIANT restrictions, VARIANT schemaId,
                                                 _Recordset** result) = 0;
};

struct _Connection : Connection15 {
    virtual HRESULT STDMETHODCALLTYPE Cancel() = 0;
};

struct _Record : _ADO {
    virtual HRESULT STDMETHODCALLTYPE get_ActiveConnection(VARIANT* connection) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_ActiveConnection(BSTR connection) = 0;
    virtual HRESULT STDMETHODCALLTYPE putref_ActiveConnection(_Connection* connection) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_State(ObjectStateEnum* state) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Source(VARIANT* source) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Source(BSTR source) = 0;
    virtual HRESULT STDMETHODCALLTYPE putref_Source(IDispatch* source) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Mode(ConnectModeEnum* mode) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Mode(ConnectModeEnum mode) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ParentURL(BSTR* parentUrl) = 0;
    virtual HRESULT STDMETHODCALLTYPE MoveRecord(BSTR source, BSTR destination, BSTR userName, BSTR password,
                                                 LONG options, VARIANT_BOOL async, BSTR* newUrl) = 0;
    virtual HRESULT STDMETHODCALLTYPE CopyRecord(BSTR source, BSTR destination, BSTR userName, BSTR password,
                                                 LONG options, VARIANT_BOOL async, BSTR* newUrl) = 0;
    virtual HRESULT STDMETHODCALLTYPE DeleteRecord(BSTR source, VARIANT_BOOL async) = 0;
    virtual HRESULT STDMETHODCALLTYPE Open(VARIANT source, VARIANT activeConnection, ConnectModeEnum mode,
                                           RecordCreateOptionsEnum createOptions, RecordOpenOptionsEnum options,
                                           BSTR userName, BSTR password) = 0;
    virtual HRESULT STDMETHODCALLTYPE Close() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Fields(Fields** fields) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_RecordType(RecordTypeEnum* type) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetChildren(_Recordset** children) = 0;
    virtual HRESULT STDMETHODCALLTYPE Cancel() = 0;
};

__CRT_UUID_DECL(Field, 0x00000569, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xaa, 0x00, 0x6d, 0x2e, 0xa4)
__CRT_UUID_DECL(Fields, 0x00000564, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xaa, 0x00, 0x6d, 0x2e, 0xa4)
__CRT_UUID_DECL(_Recordset, 0x00000556, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xaa, 0x00, 0x6d, 0x2e, 0xa4)
__CRT_UUID_DECL(_Connection, 0x00000550, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xaa, 0x00, 0x6d, 0x2e, 0xa4)
__CRT_UUID_DECL(_Record, 0x00000562, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xaa, 0x00, 0x6d, 0x2e, 0xa4)
