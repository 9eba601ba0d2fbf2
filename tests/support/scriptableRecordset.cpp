#include "support/scriptableRecordset.h"

#include "common/bstr.h"

namespace {

// What a forward-only cursor answers when asked to go back, and ADO error 3251 for bookmarks.
constexpr HRESULT kCannotFetchBackwards = static_cast<HRESULT>(0x80040E24);
constexpr HRESULT kNotCapable = static_cast<HRESULT>(0x800A0CB3);
constexpr HRESULT kEitherEnd = static_cast<HRESULT>(0x800A0BCD);

}  // namespace

ScriptableRecordset::ScriptableRecordset(ComPtr<_Recordset> inner) : inner_(std::move(inner)) {}

ScriptableRecordset::~ScriptableRecordset() {
    // The Fields double goes first; it still reaches the real recordset's columns.
    fields_.reset();
}

void ScriptableRecordset::AddChapter(LONG position, std::wstring name, ComPtr<_Recordset> child) {
    chapters_.push_back({position, std::move(name), std::move(child)});
}

ULONG ScriptableRecordset::FieldsReferences() const {
    return fields_ ? fields_->References() - 1 + fields_->FieldReferences() : 0;
}

HRESULT ScriptableRecordset::QueryInterface(REFIID iid, void** object) {
    if (iid == __uuidof(_Recordset)) {
        *object = nullptr;
        if (HRESULT failure = script_.Answer("_Recordset::QueryInterface")) return failure;
    }
    return AnswerQuery<_Recordset>(this, iid, object);
}

HRESULT ScriptableRecordset::InterfaceSupportsErrorInfo(REFIID iid) {
    return iid == __uuidof(_Recordset) ? script_.SupportsErrorInfo() : S_FALSE;
}

HRESULT ScriptableRecordset::get_Fields(Fields** fields) {
    *fields = nullptr;
    if (HRESULT failure = script_.Answer("_Recordset::get_Fields")) return failure;
    if (!fields_) {
        ComPtr<Fields> inner;
        if (HRESULT result = inner_->get_Fields(inner.ReleaseAndGetAddressOf()); FAILED(result)) return result;
        fields_ = std::make_unique<ScriptableFields>(script_, std::move(inner), chapters_, lacking_);
    }
    fields_->AddRef();
    *fields = fields_.get();
    return S_OK;
}

HRESULT ScriptableRecordset::get_BOF(VARIANT_BOOL* bof) {
    if (HRESULT failure = script_.Answer("_Recordset::get_BOF")) return failure;
    return inner_->get_BOF(bof);
}

HRESULT ScriptableRecordset::get_EOF(VARIANT_BOOL* eof) {
    if (HRESULT failure = script_.Answer("_Recordset::get_EOF")) return failure;
    return inner_->get_EOF(eof);
}

HRESULT ScriptableRecordset::get_Bookmark(VARIANT* bookmark) {
    if (forwardOnly_) return script_.Refuse("_Recordset::get_Bookmark", kNotCapable, L"Current Recordset does not support bookmarks.");
    if (HRESULT failure = script_.Answer("_Recordset::get_Bookmark")) return failure;
    return inner_->get_Bookmark(bookmark);
}

HRESULT ScriptableRecordset::put_Bookmark(VARIANT bookmark) {
    if (forwardOnly_) return script_.Refuse("_Recordset::put_Bookmark", kNotCapable, L"Current Recordset does not support bookmarks.");
    if (HRESULT failure = script_.Answer("_Recordset::put_Bookmark")) return failure;
    return inner_->put_Bookmark(bookmark);
}

HRESULT ScriptableRecordset::RefuseBackward(const char* call) {
    return script_.Refuse(call, kCannotFetchBackwards, L"Rowset does not support fetching backward.");
}

HRESULT ScriptableRecordset::MoveFirst() {
    if (forwardOnly_ && movedOn_) return RefuseBackward("_Recordset::MoveFirst");
    if (HRESULT failure = script_.Answer("_Recordset::MoveFirst")) return failure;
    return inner_->MoveFirst();
}

HRESULT ScriptableRecordset::MoveNext() {
    // Windows refuses a move past the end, where Wine's recordset answers S_OK.
    VARIANT_BOOL eof = VARIANT_FALSE;
    if (SUCCEEDED(inner_->get_EOF(&eof)) && eof)
        return script_.Refuse("_Recordset::MoveNext", kEitherEnd,
                              L"Either BOF or EOF is True, or the current record has been deleted.");
    if (HRESULT failure = script_.Answer("_Recordset::MoveNext")) return failure;
    movedOn_ = true;
    return inner_->MoveNext();
}

HRESULT ScriptableRecordset::MovePrevious() {
    if (forwardOnly_) return RefuseBackward("_Recordset::MovePrevious");
    if (HRESULT failure = script_.Answer("_Recordset::MovePrevious")) return failure;
    return inner_->MovePrevious();
}

HRESULT ScriptableRecordset::MoveLast() {
    if (forwardOnly_) return RefuseBackward("_Recordset::MoveLast");
    if (HRESULT failure = script_.Answer("_Recordset::MoveLast")) return failure;
    return inner_->MoveLast();
}

HRESULT ScriptableRecordset::Cancel() {
    if (HRESULT failure = script_.Answer("_Recordset::Cancel")) return failure;
    return inner_->Cancel();
}

HRESULT ScriptableRecordset::get_ActiveConnection(VARIANT* connection) {
    VariantInit(connection);
    if (HRESULT failure = script_.Answer("_Recordset::get_ActiveConnection")) return failure;
    if (!connection_) return inner_->get_ActiveConnection(connection);
    Variant(*connection_->Get()).Detach(connection);
    return S_OK;
}

Variant FakeConnection::AsActiveConnection() {
    Variant connection;
    connection.Get()->vt = VT_DISPATCH;
    connection.Get()->pdispVal = ComPtr<_Connection>(this).Detach();
    return connection;
}

HRESULT FakeConnection::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != __uuidof(_Connection)) return E_NOINTERFACE;
    *object = static_cast<_Connection*>(this);
    AddRef();
    return S_OK;
}

HRESULT FakeConnection::get_Provider(BSTR* provider) {
    *provider = nullptr;
    if (FAILED(providerFailure_)) return providerFailure_;
    *provider = Bstr(provider_.c_str()).Detach();
    return S_OK;
}
