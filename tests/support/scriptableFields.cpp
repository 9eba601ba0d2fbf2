#include "support/scriptableFields.h"

#include <oleauto.h>

#include <cwchar>

#include "common/bstr.h"
#include "common/variant.h"
#include "support/variantValues.h"

namespace {

constexpr AdoLongPtr kChapterSize = 4;
constexpr HRESULT kItemNotFound = static_cast<HRESULT>(0x800A0CC1);

}  // namespace

ScriptableField::ScriptableField(AdoScript& script, ComPtr<Field> inner) : script_(script), inner_(std::move(inner)) {}

ScriptableField::ScriptableField(AdoScript& script, std::wstring name, _Recordset* child)
    : script_(script), chapterName_(std::move(name)), chapter_(child) {}

std::wstring ScriptableField::Name() const {
    if (!inner_) return chapterName_;
    Bstr name;
    inner_->get_Name(name.ReleaseAndGetAddressOf());
    return name.Text();
}

HRESULT ScriptableField::QueryInterface(REFIID iid, void** object) { return AnswerQuery<Field>(this, iid, object); }

HRESULT ScriptableField::InterfaceSupportsErrorInfo(REFIID iid) {
    return iid == __uuidof(Field) ? script_.SupportsErrorInfo() : S_FALSE;
}

HRESULT ScriptableField::get_Name(BSTR* name) {
    *name = nullptr;
    if (HRESULT failure = script_.Answer("Field::get_Name")) return failure;
    if (inner_) return inner_->get_Name(name);
    *name = Bstr(chapterName_.c_str()).Detach();
    return S_OK;
}

HRESULT ScriptableField::get_Type(DataTypeEnum* type) {
    if (HRESULT failure = script_.Answer("Field::get_Type")) return failure;
    if (inner_) return inner_->get_Type(type);
    *type = adChapter;
    return S_OK;
}

HRESULT ScriptableField::get_DefinedSize(AdoLongPtr* size) {
    if (HRESULT failure = script_.Answer("Field::get_DefinedSize")) return failure;
    if (const LONGLONG* declared = script_.DeclaredSize(Name())) {
        *size = *declared;
        return S_OK;
    }
    if (inner_) return inner_->get_DefinedSize(size);
    *size = kChapterSize;
    return S_OK;
}

HRESULT ScriptableField::get_Value(VARIANT* value) {
    if (HRESULT failure = script_.Answer("Field::get_Value")) return failure;
    if (inner_) return inner_->get_Value(value);
    VariantInit(value);
    value->vt = VT_DISPATCH;
    value->pdispVal = ComPtr<_Recordset>(chapter_).Detach();
    return S_OK;
}

ScriptableFields::ScriptableFields(AdoScript& script, ComPtr<Fields> inner, const std::vector<Chapter>& chapters,
                                   const std::vector<Lacking>& lacking)
    : script_(script), inner_(std::move(inner)), chapters_(chapters), lacking_(lacking) {}

ULONG ScriptableFields::FieldReferences() const {
    ULONG held = 0;
    for (const auto& [position, field] : fields_) held += field->References() - 1;
    return held;
}

HRESULT ScriptableFields::QueryInterface(REFIID iid, void** object) { return AnswerQuery<Fields>(this, iid, object); }

HRESULT ScriptableFields::InterfaceSupportsErrorInfo(REFIID iid) {
    return iid == __uuidof(Fields) ? script_.SupportsErrorInfo() : S_FALSE;
}

HRESULT ScriptableFields::get_Count(LONG* count) {
    if (HRESULT failure = script_.Answer("Fields::get_Count")) return failure;
    *count = InnerCount() + static_cast<LONG>(chapters_.size());
    return S_OK;
}

HRESULT ScriptableFields::get_Item(VARIANT index, Field** field) {
    *field = nullptr;
    if (HRESULT failure = script_.Answer("Fields::get_Item")) return failure;
    LONG position = -1;
    if (index.vt == VT_BSTR && CurrentRowLacks(index.bstrVal)) {
        // What ADO answers for a name that is not in the collection.
        return script_.Refuse("Fields::get_Item", kItemNotFound,
                              L"Item cannot be found in the collection corresponding to the requested name or ordinal.");
    } else if (index.vt == VT_BSTR) {
        position = PositionOf(index.bstrVal);
    } else {
        Variant number;
        if (SUCCEEDED(VariantChangeType(number.Get(), &index, 0, VT_I4))) position = number.Get()->lVal;
    }
    ScriptableField* found = position < 0 ? nullptr : FieldAt(position);
    // What is no column here is no column of the real recordset either: it answers with its own error.
    if (!found) return inner_->get_Item(index, field);
    found->AddRef();
    *field = found;
    return S_OK;
}

bool ScriptableFields::CurrentRowLacks(const wchar_t* name) const {
    if (lacking_.empty()) return false;
    ComPtr<Field> first;
    Variant key;
    if (FAILED(inner_->get_Item(*I4(0).Get(), first.ReleaseAndGetAddressOf())) || FAILED(first->get_Value(key.Get())) ||
        key.Get()->vt != VT_BSTR)
        return false;
    for (const Lacking& lacking : lacking_)
        if (lacking.key == key.Get()->bstrVal && _wcsicmp(lacking.name.c_str(), name ? name : L"") == 0) return true;
    return false;
}

LONG ScriptableFields::InnerCount() const {
    LONG count = 0;
    inner_->get_Count(&count);
    return count;
}

ScriptableField* ScriptableFields::FieldAt(LONG position) {
    auto known = fields_.find(position);
    if (known != fields_.end()) return known->second.get();
    LONG innerPosition = position;
    for (const Chapter& chapter : chapters_) {
        if (chapter.position == position)
            return fields_.emplace(position, std::make_unique<ScriptableField>(script_, chapter.name, chapter.child.Get()))
                .first->second.get();
        if (chapter.position < position) --innerPosition;
    }
    if (innerPosition >= InnerCount()) return nullptr;
    ComPtr<Field> inner;
    if (FAILED(inner_->get_Item(*I4(innerPosition).Get(), inner.ReleaseAndGetAddressOf()))) return nullptr;
    return fields_.emplace(position, std::make_unique<ScriptableField>(script_, std::move(inner)))
        .first->second.get();
}

LONG ScriptableFields::PositionOf(const wchar_t* name) {
    const LONG count = InnerCount() + static_cast<LONG>(chapters_.size());
    for (LONG position = 0; position < count; ++position) {
        if (_wcsicmp(FieldAt(position)->Name().c_str(), name ? name : L"") == 0) return position;
    }
    return -1;
}
