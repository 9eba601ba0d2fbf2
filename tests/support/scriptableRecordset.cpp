#include "support/scriptableRecordset.h"

#include <cwchar>

#include "common/bstr.h"
#include "support/variantValues.h"

namespace {

constexpr HRESULT kEitherEnd = static_cast<HRESULT>(0x800A0BCD);
constexpr HRESULT kItemNotFound = static_cast<HRESULT>(0x800A0CC1);
constexpr AdoLongPtr kChapterSize = 4;

const ForwardedInterface kRecordsetCalls{
    "_Recordset", __uuidof(_Recordset),
    {FORWARDED_CALL(_Recordset, get_Fields), FORWARDED_CALL(_Recordset, get_BOF),
     FORWARDED_CALL(_Recordset, get_EOF), FORWARDED_CALL(_Recordset, get_Bookmark),
     FORWARDED_CALL(_Recordset, put_Bookmark), FORWARDED_CALL(_Recordset, MoveFirst),
     FORWARDED_CALL(_Recordset, MoveNext), FORWARDED_CALL(_Recordset, MovePrevious),
     FORWARDED_CALL(_Recordset, MoveLast), FORWARDED_CALL(_Recordset, Cancel),
     FORWARDED_CALL(_Recordset, get_ActiveConnection)}};
const ForwardedInterface kFieldsCalls{
    "Fields", __uuidof(Fields), {FORWARDED_CALL(Fields, get_Count), FORWARDED_CALL(Fields, get_Item)}};
const ForwardedInterface kFieldCalls{
    "Field", __uuidof(Field),
    {FORWARDED_CALL(Field, get_Name), FORWARDED_CALL(Field, get_Type), FORWARDED_CALL(Field, get_DefinedSize),
     FORWARDED_CALL(Field, get_Value)}};
const ForwardedInterface kConnectionCalls{
    "_Connection", __uuidof(_Connection), {FORWARDED_CALL(_Connection, get_Provider)}};

}  // namespace

// A real column, whose defined size the recordset double may declare, or a chapter column whose
// Value is the child recordset.
class ScriptableField final : public Forwarder {
public:
    ScriptableField(CallScript& script, ComPtr<Field> real, const ColumnChanges& changes)
        : Forwarder(kFieldCalls, script, real, "ScriptableField"), real_(std::move(real)), changes_(changes) {
        Handle(&Field::get_DefinedSize, &ScriptableField::GetDefinedSize);
    }
    ScriptableField(CallScript& script, const ColumnChanges::Chapter& chapter, const ColumnChanges& changes)
        : Forwarder(kFieldCalls, script, nullptr, "ScriptableField"), changes_(changes), chapter_(&chapter) {
        Handle(&Field::get_Name, &ScriptableField::GetChapterName);
        Handle(&Field::get_Type, &ScriptableField::GetChapterType);
        Handle(&Field::get_DefinedSize, &ScriptableField::GetDefinedSize);
        Handle(&Field::get_Value, &ScriptableField::GetChapter);
    }

    // The column's name, read without going through the script.
    std::wstring Name() const {
        if (chapter_) return chapter_->name;
        Bstr name;
        real_->get_Name(name.ReleaseAndGetAddressOf());
        return name.Text();
    }

private:
    static HRESULT GetDefinedSize(ScriptableField* self, AdoLongPtr* size) {
        if (HRESULT failure = self->Answer("Field::get_DefinedSize")) return failure;
        auto declared = self->changes_.definedSizes.find(self->Name());
        if (declared != self->changes_.definedSizes.end()) {
            *size = declared->second;
            return S_OK;
        }
        if (self->chapter_) {
            *size = kChapterSize;
            return S_OK;
        }
        return self->real_->get_DefinedSize(size);
    }
    static HRESULT GetChapterName(ScriptableField* self, BSTR* name) {
        *name = nullptr;
        if (HRESULT failure = self->Answer("Field::get_Name")) return failure;
        *name = Bstr(self->chapter_->name.c_str()).Detach();
        return S_OK;
    }
    static HRESULT GetChapterType(ScriptableField* self, DataTypeEnum* type) {
        if (HRESULT failure = self->Answer("Field::get_Type")) return failure;
        *type = adChapter;
        return S_OK;
    }
    static HRESULT GetChapter(ScriptableField* self, VARIANT* value) {
        if (HRESULT failure = self->Answer("Field::get_Value")) return failure;
        Object(self->chapter_->child.Get()).Detach(value);
        return S_OK;
    }

    ComPtr<Field> real_;
    const ColumnChanges& changes_;
    const ColumnChanges::Chapter* chapter_ = nullptr;
};

// One Field double per position, kept until the Fields double goes, so that every hand-out is
// counted on the same object.
class ScriptableFields final : public Forwarder {
public:
    ScriptableFields(CallScript& script, ComPtr<Fields> real, const ColumnChanges& changes)
        : Forwarder(kFieldsCalls, script, real, "ScriptableFields"), real_(std::move(real)), changes_(changes) {
        Handle(&Fields::get_Count, &ScriptableFields::GetCount);
        Handle(&Fields::get_Item, &ScriptableFields::GetItem);
    }

    // References that others hold to the Fields double and the Field doubles (their own ones excluded).
    ULONG HeldReferences() const {
        ULONG held = References() - 1;
        for (const auto& [position, field] : fields_) held += field->References() - 1;
        return held;
    }

private:
    static HRESULT GetCount(ScriptableFields* self, LONG* count) {
        if (HRESULT failure = self->Answer("Fields::get_Count")) return failure;
        *count = self->RealCount() + static_cast<LONG>(self->changes_.chapters.size());
        return S_OK;
    }
    static HRESULT GetItem(ScriptableFields* self, VARIANT index, Field** field) {
        *field = nullptr;
        if (HRESULT failure = self->Answer("Fields::get_Item")) return failure;
        LONG position = -1;
        if (index.vt == VT_BSTR && self->CurrentRowLacks(index.bstrVal)) {
            return self->Script().Refuse(
                "Fields::get_Item", kItemNotFound,
                L"Item cannot be found in the collection corresponding to the requested name or ordinal.");
        } else if (index.vt == VT_BSTR) {
            position = self->PositionOf(index.bstrVal);
        } else {
            Variant number;
            if (SUCCEEDED(VariantChangeType(number.Get(), &index, 0, VT_I4))) position = number.Get()->lVal;
        }
        ScriptableField* found = position < 0 ? nullptr : self->FieldAt(position);
        // What is no column here is no column of the real recordset either: it answers with its own error.
        if (!found) return self->real_->get_Item(index, field);
        *field = ComPtr<Field>(found->As<Field>()).Detach();
        return S_OK;
    }

    LONG RealCount() const {
        LONG count = 0;
        real_->get_Count(&count);
        return count;
    }
    // The double at a position of all columns; null past the end.
    ScriptableField* FieldAt(LONG position) {
        auto known = fields_.find(position);
        if (known != fields_.end()) return known->second.get();
        LONG realPosition = position;
        for (const ColumnChanges::Chapter& chapter : changes_.chapters) {
            if (chapter.position == position)
                return (fields_[position] = std::make_unique<ScriptableField>(Script(), chapter, changes_)).get();
            if (chapter.position < position) --realPosition;
        }
        ComPtr<Field> real;
        if (realPosition >= RealCount() || FAILED(real_->get_Item(*I4(realPosition).Get(), real.ReleaseAndGetAddressOf())))
            return nullptr;
        return (fields_[position] = std::make_unique<ScriptableField>(Script(), std::move(real), changes_)).get();
    }
    // The position of the first column of that name, without regard to case; -1 when none.
    LONG PositionOf(const wchar_t* name) {
        const LONG count = RealCount() + static_cast<LONG>(changes_.chapters.size());
        for (LONG position = 0; position < count; ++position)
            if (_wcsicmp(FieldAt(position)->Name().c_str(), name ? name : L"") == 0) return position;
        return -1;
    }
    bool CurrentRowLacks(const wchar_t* name) const {
        if (changes_.lacking.empty()) return false;
        ComPtr<Field> first;
        Variant key;
        if (FAILED(real_->get_Item(*I4(0).Get(), first.ReleaseAndGetAddressOf())) || FAILED(first->get_Value(key.Get())) ||
            key.Get()->vt != VT_BSTR)
            return false;
        for (const ColumnChanges::Lacking& lacking : changes_.lacking)
            if (lacking.key == key.Get()->bstrVal && _wcsicmp(lacking.name.c_str(), name ? name : L"") == 0) return true;
        return false;
    }

    ComPtr<Fields> real_;
    const ColumnChanges& changes_;
    std::map<LONG, std::unique_ptr<ScriptableField>> fields_;
};

ScriptableRecordset::ScriptableRecordset(ComPtr<_Recordset> inner)
    : Forwarder(kRecordsetCalls, script_, inner, "ScriptableRecordset"), inner_(std::move(inner)) {
    Handle(&_Recordset::get_Fields, &ScriptableRecordset::GetFields);
    Handle(&_Recordset::MoveNext, &ScriptableRecordset::MoveNext);
    Handle(&_Recordset::get_ActiveConnection, &ScriptableRecordset::GetActiveConnection);
}

// The Fields double goes first; it still reaches the real recordset's columns.
ScriptableRecordset::~ScriptableRecordset() { fields_.reset(); }

ULONG ScriptableRecordset::FieldsReferences() const { return fields_ ? fields_->HeldReferences() : 0; }

HRESULT ScriptableRecordset::GetFields(ScriptableRecordset* self, Fields** fields) {
    *fields = nullptr;
    if (HRESULT failure = self->Answer("_Recordset::get_Fields")) return failure;
    if (!self->fields_) {
        ComPtr<Fields> real;
        if (HRESULT result = self->inner_->get_Fields(real.ReleaseAndGetAddressOf()); FAILED(result)) return result;
        self->fields_ = std::make_unique<ScriptableFields>(self->script_, std::move(real), self->changes_);
    }
    *fields = ComPtr<Fields>(self->fields_->As<Fields>()).Detach();
    return S_OK;
}

HRESULT ScriptableRecordset::MoveNext(ScriptableRecordset* self) {
    VARIANT_BOOL eof = VARIANT_FALSE;
    if (SUCCEEDED(self->inner_->get_EOF(&eof)) && eof)
        return self->script_.Refuse("_Recordset::MoveNext", kEitherEnd,
                                    L"Either BOF or EOF is True, or the current record has been deleted.");
    if (HRESULT failure = self->Answer("_Recordset::MoveNext")) return failure;
    return self->inner_->MoveNext();
}

HRESULT ScriptableRecordset::GetActiveConnection(ScriptableRecordset* self, VARIANT* connection) {
    VariantInit(connection);
    if (HRESULT failure = self->Answer("_Recordset::get_ActiveConnection")) return failure;
    if (!self->connection_) return self->inner_->get_ActiveConnection(connection);
    Variant(*self->connection_->Get()).Detach(connection);
    return S_OK;
}

FakeConnection::FakeConnection(const wchar_t* provider)
    : Forwarder(kConnectionCalls, script_, nullptr, "FakeConnection"), provider_(provider) {
    Handle(&_Connection::get_Provider, &FakeConnection::GetProvider);
}

Variant FakeConnection::AsActiveConnection() { return Object(As<_Connection>()); }

HRESULT FakeConnection::GetProvider(FakeConnection* self, BSTR* provider) {
    *provider = nullptr;
    if (HRESULT failure = self->Answer("_Connection::get_Provider")) return failure;
    *provider = Bstr(self->provider_.c_str()).Detach();
    return S_OK;
}
