#include "platform/SResManager.h"

namespace PVLib500 {

namespace {
constexpr LANGID kFallbackLanguage = 0x0409;
}

SWCharString SResCollection::LookUpString(UINT id, LCID locale) const {
    LANGID language = LANGIDFROMLCID(locale);
    if (language != 0) {
        SWCharString text = LoadStringInLanguage(id, language);
        if (!text.isEmpty() || language == kFallbackLanguage) return text;
    }
    return LoadStringInLanguage(id, kFallbackLanguage);
}

// A string table stores sixteen counted strings per block; block n + 1 holds identifiers 16n to 16n + 15.
SWCharString SResCollection::LoadStringInLanguage(UINT id, LANGID language) const {
    if (!module_ || id > 0xFFFF) return SWCharString();
    HRSRC block = FindResourceExW(module_, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1), language);
    if (!block) return SWCharString();
    HGLOBAL loaded = LoadResource(module_, block);
    const WCHAR* entry = loaded ? static_cast<const WCHAR*>(LockResource(loaded)) : nullptr;
    if (!entry) return SWCharString();
    const WCHAR* end = entry + SizeofResource(module_, block) / sizeof(WCHAR);
    for (UINT index = 0; index < id % 16; ++index) {
        if (entry >= end) return SWCharString();
        entry += 1 + *entry;
    }
    if (entry >= end || entry + 1 + *entry > end) return SWCharString();
    return SWCharString(entry + 1, *entry);
}

HRESULT SResManager::Initialize() { return S_OK; }

HRESULT SResManager::Terminate() { return S_OK; }

CSmartRefCountPtr<SResCollection> SResManager::GetCollection(const SWCharString&, const SWCharString&,
                                                             HINSTANCE module) {
    return std::make_shared<SResCollection>(module);
}

}  // namespace PVLib500
