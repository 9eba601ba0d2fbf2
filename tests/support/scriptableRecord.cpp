#include "support/scriptableRecord.h"

#include <oleauto.h>

#include "common/comPtr.h"
#include "common/variant.h"
#include "support/variantValues.h"

namespace {

// ADO errors 3021, 3704 and 3705.
constexpr HRESULT kNoCurrentRecord = static_cast<HRESULT>(0x800A0BCD);
constexpr HRESULT kObjectClosed = static_cast<HRESULT>(0x800A0E78);
constexpr HRESULT kObjectOpen = static_cast<HRESULT>(0x800A0E79);

// The first column of the current row as text; empty at BOF or EOF.
std::wstring KeyOfCurrentRow(const ComPtr<_Recordset>& recordset) {
    VARIANT_BOOL bof = VARIANT_TRUE, eof = VARIANT_TRUE;
    if (FAILED(recordset->get_BOF(&bof)) || bof || FAILED(recordset->get_EOF(&eof)) || eof) return L"";
    ComPtr<Fields> fields;
    ComPtr<Field> first;
    Variant value, text;
    if (FAILED(recordset->get_Fields(fields.ReleaseAndGetAddressOf())) ||
        FAILED(fields->get_Item(*I4(0).Get(), first.ReleaseAndGetAddressOf())) ||
        FAILED(first->get_Value(value.Get())) || FAILED(VariantChangeType(text.Get(), value.Get(), 0, VT_BSTR)))
        return L"";
    return text.Get()->bstrVal;
}

}  // namespace

ScriptableRecord::ScriptableRecord(AdoScript& script, const std::map<std::wstring, RecordRow>& rows)
    : script_(script), rows_(rows) {}

HRESULT ScriptableRecord::QueryInterface(REFIID iid, void** object) {
    if (iid == IID_IRunnableObject) {
        *object = &runnable_;
        AddRef();
        return S_OK;
    }
    if (iid == __uuidof(_Record)) {
        *object = nullptr;
        if (HRESULT failure = script_.Answer("_Record::QueryInterface")) return failure;
    }
    return AnswerQuery<_Record>(this, iid, object);
}

HRESULT ScriptableRecord::InterfaceSupportsErrorInfo(REFIID iid) {
    return iid == __uuidof(_Record) ? script_.SupportsErrorInfo() : S_FALSE;
}

HRESULT ScriptableRecord::RefuseWhileClosed(const char* call) {
    return script_.Refuse(call, kObjectClosed, L"Operation is not allowed when the object is closed.");
}

HRESULT ScriptableRecord::get_State(ObjectStateEnum* state) {
    if (HRESULT failure = script_.Answer("_Record::get_State")) return failure;
    *state = open_ ? adStateOpen : adStateClosed;
    return S_OK;
}

HRESULT ScriptableRecord::Open(VARIANT source, VARIANT activeConnection, ConnectModeEnum mode,
                               RecordCreateOptionsEnum createOptions, RecordOpenOptionsEnum options, BSTR userName,
                               BSTR password) {
    // How the driver opens a row: read-only, on the recordset, without a connection or a login.
    EXPECT_EQ(activeConnection.vt, VT_ERROR);
    EXPECT_EQ(activeConnection.scode, DISP_E_PARAMNOTFOUND);
    EXPECT_EQ(mode, adModeRead);
    EXPECT_EQ(createOptions, adFailIfNotExists);
    EXPECT_EQ(options, adDelayFetchFields);
    EXPECT_TRUE(userName && !*userName && password && !*password);
    if (open_) return script_.Refuse("_Record::Open", kObjectOpen, L"Operation is not allowed when the object is open.");
    ComPtr<_Recordset> recordset;
    if (source.vt != VT_DISPATCH || FAILED(ComPtr<IDispatch>(source.pdispVal).As(recordset)))
        return UnexpectedCall("_Record::Open on anything but a recordset");
    const std::wstring key = KeyOfCurrentRow(recordset);
    if (key.empty())
        return script_.Refuse("_Record::Open", kNoCurrentRecord,
                              L"Either BOF or EOF is True, or the current record has been deleted.");
    auto described = rows_.find(key);
    const RecordRow row = described == rows_.end() ? RecordRow{} : described->second;
    if (FAILED(row.openRefusal))
        return script_.Refuse("_Record::Open", row.openRefusal, (L"No record for the row " + key).c_str());
    if (HRESULT failure = script_.Answer("_Record::Open")) return failure;
    open_ = true;
    row_ = row;
    return S_OK;
}

HRESULT ScriptableRecord::Close() {
    if (!open_) return RefuseWhileClosed("_Record::Close");
    if (HRESULT failure = script_.Answer("_Record::Close")) return failure;
    open_ = false;
    return S_OK;
}

HRESULT ScriptableRecord::get_RecordType(RecordTypeEnum* type) {
    if (!open_) return RefuseWhileClosed("_Record::get_RecordType");
    if (HRESULT failure = script_.Answer("_Record::get_RecordType")) return failure;
    *type = row_.type;
    return S_OK;
}

HRESULT ScriptableRecord::GetChildren(_Recordset** children) {
    *children = nullptr;
    if (!open_) return RefuseWhileClosed("_Record::GetChildren");
    if (HRESULT failure = script_.Answer("_Record::GetChildren")) return failure;
    if (!row_.children) return S_OK;
    VARIANT_BOOL bof = VARIANT_TRUE, eof = VARIANT_TRUE;
    row_.children->get_BOF(&bof);
    row_.children->get_EOF(&eof);
    if (!bof || !eof) row_.children->MoveFirst();
    *children = ComPtr<_Recordset>(row_.children).Detach();
    return S_OK;
}

HRESULT ScriptableRecordClass::Make(REFIID iid, void** object) {
    records_.push_back(std::make_unique<ScriptableRecord>(script_, rows_));
    if (log_) records_.back()->References().LogReleasesTo(*log_, "record " + std::to_string(records_.size()));
    return records_.back()->QueryInterface(iid, object);
}
