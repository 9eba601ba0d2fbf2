#include "common/resdllmgr.h"

#include <cstdlib>

#include "platform/SLocale.h"
#include "platform/dbAssert.h"

ResDllManager::~ResDllManager() { Terminate(); }

void ResDllManager::Initialize(const SWCharString& collectionName, HINSTANCE module) {
    SResManager::Initialize();
    SWCharString directory;
    HRESULT hr = GetModuleDirectory(module, directory);
    DB_ASSERT(SUCCEEDED(hr));
    collection_ = SResManager::GetCollection(collectionName, directory, module);
    initialised_ = true;
}

void ResDllManager::Terminate() {
    if (!initialised_) return;
    initialised_ = false;
    SResManager::Terminate();
}

SWCharString ResDllManager::LoadResourceString(UINT id, const SWCharString& languageName) const {
    if (!collection_) return SWCharString();
    LCID locale = languageName.isEmpty() ? 0x409 : SLocale::Rfc1766ToLcid(languageName);
    return collection_->LookUpString(id, locale);
}

HRESULT ResDllManager::GetModuleDirectory(HINSTANCE module, SWCharString& directory) {
    directory = L"";
    wchar_t fileName[MAX_PATH];
    DWORD length = GetModuleFileNameW(module, fileName, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return E_UNEXPECTED;
    wchar_t drive[_MAX_DRIVE];
    wchar_t folder[_MAX_DIR];
    _wsplitpath(fileName, drive, folder, nullptr, nullptr);
    directory = drive;
    directory += folder;
    return S_OK;
}
