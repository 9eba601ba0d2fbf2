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

const ForwardedInterface kRecordCalls{
    "_Record", __uuidof(_Record),
    {FORWARDED_CALL(_Record, Open), FORWARDED_CALL(_Record, Close), FORWARDED_CALL(_Record, get_State),
     FORWARDED_CALL(_Record, get_RecordType), FORWARDED_CALL(_Record, GetChildren)}};

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

class ScriptableRecord final : public Forwarder {
public:
    ScriptableRecord(CallScript& script, const std::map<std::wstring, RecordRow>& rows)
        : Forwarder(kRecordCalls, script, nullptr, "ScriptableRecord"), rows_(rows) {
        Handle(&_Record::get_State, &ScriptableRecord::GetState);
        Handle(&_Record::Open, &ScriptableRecord::Open);
        Handle(&_Record::Close, &ScriptableRecord::Close);
        Handle(&_Record::get_RecordType, &ScriptableRecord::GetRecordType);
        Handle(&_Record::GetChildren, &ScriptableRecord::GetChildren);
        AddFace(IID_IRunnableObject, &runnable_);
    }

private:
    // The running-object face that OleRun asks for; its references are the record's.
    struct Runnable final : IRunnableObject {
        explicit Runnable(ScriptableRecord& record) : record(record) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
            return record.As<IUnknown>()->QueryInterface(iid, object);
        }
        ULONG STDMETHODCALLTYPE AddRef() override { return record.As<IUnknown>()->AddRef(); }
        ULONG STDMETHODCALLTYPE Release() override { return record.As<IUnknown>()->Release(); }
        HRESULT STDMETHODCALLTYPE GetRunningClass(CLSID*) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE Run(IBindCtx*) override { return record.Script().Answer("IRunnableObject::Run"); }
        BOOL STDMETHODCALLTYPE IsRunning() override { return TRUE; }
        HRESULT STDMETHODCALLTYPE LockRunning(BOOL, BOOL) override { return S_OK; }
        HRESULT STDMETHODCALLTYPE SetContainedObject(BOOL) override { return S_OK; }
        ScriptableRecord& record;
    };

    HRESULT Closed(const char* call) {
        return Script().Refuse(call, kObjectClosed, L"Operation is not allowed when the object is closed.");
    }
    static HRESULT GetState(ScriptableRecord* self, ObjectStateEnum* state) {
        if (HRESULT failure = self->Answer("_Record::get_State")) return failure;
        *state = self->open_ ? adStateOpen : adStateClosed;
        return S_OK;
    }
    static HRESULT Open(ScriptableRecord* self, VARIANT source, VARIANT activeConnection, ConnectModeEnum mode,
                        RecordCreateOptionsEnum createOptions, RecordOpenOptionsEnum options, BSTR userName,
                        BSTR password) {
        // How the driver opens a row: read-only, on the recordset, without a connection or a login.
        EXPECT_EQ(activeConnection.vt, VT_ERROR);
        EXPECT_EQ(activeConnection.scode, DISP_E_PARAMNOTFOUND);
        EXPECT_EQ(mode, adModeRead);
        EXPECT_EQ(createOptions, adFailIfNotExists);
        EXPECT_EQ(options, adDelayFetchFields);
        EXPECT_TRUE(userName && !*userName && password && !*password);
        if (self->open_)
            return self->Script().Refuse("_Record::Open", kObjectOpen, L"Operation is not allowed when the object is open.");
        ComPtr<_Recordset> recordset;
        if (source.vt != VT_DISPATCH || FAILED(ComPtr<IDispatch>(source.pdispVal).As(recordset)))
            return UnexpectedCall("_Record::Open on anything but a recordset");
        const std::wstring key = KeyOfCurrentRow(recordset);
        if (key.empty())
            return self->Script().Refuse("_Record::Open", kNoCurrentRecord,
                                         L"Either BOF or EOF is True, or the current record has been deleted.");
        auto described = self->rows_.find(key);
        const RecordRow row = described == self->rows_.end() ? RecordRow{} : described->second;
        if (FAILED(row.openRefusal))
            return self->Script().Refuse("_Record::Open", row.openRefusal, (L"No record for the row " + key).c_str());
        if (HRESULT failure = self->Answer("_Record::Open")) return failure;
        self->open_ = true;
        self->row_ = row;
        return S_OK;
    }
    static HRESULT Close(ScriptableRecord* self) {
        if (!self->open_) return self->Closed("_Record::Close");
        if (HRESULT failure = self->Answer("_Record::Close")) return failure;
        self->open_ = false;
        return S_OK;
    }
    static HRESULT GetRecordType(ScriptableRecord* self, RecordTypeEnum* type) {
        if (!self->open_) return self->Closed("_Record::get_RecordType");
        if (HRESULT failure = self->Answer("_Record::get_RecordType")) return failure;
        *type = self->row_.type;
        return S_OK;
    }
    static HRESULT GetChildren(ScriptableRecord* self, _Recordset** children) {
        *children = nullptr;
        if (!self->open_) return self->Closed("_Record::GetChildren");
        if (HRESULT failure = self->Answer("_Record::GetChildren")) return failure;
        _Recordset* described = self->row_.children;
        if (!described) return S_OK;
        VARIANT_BOOL bof = VARIANT_TRUE, eof = VARIANT_TRUE;
        described->get_BOF(&bof);
        described->get_EOF(&eof);
        if (!bof || !eof) described->MoveFirst();
        *children = ComPtr<_Recordset>(described).Detach();
        return S_OK;
    }

    Runnable runnable_{*this};
    const std::map<std::wstring, RecordRow>& rows_;
    bool open_ = false;
    RecordRow row_;
};

ScriptableRecordClass::ScriptableRecordClass() = default;
ScriptableRecordClass::~ScriptableRecordClass() = default;

HRESULT ScriptableRecordClass::Make(REFIID iid, void** object) {
    records_.push_back(std::make_unique<ScriptableRecord>(script_, rows_));
    if (log_) records_.back()->LogReleasesTo(*log_, "record " + std::to_string(records_.size()));
    return records_.back()->As<IUnknown>()->QueryInterface(iid, object);
}
