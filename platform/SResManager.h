#pragma once
// The runtime library's resource manager: named collections of a module's string-table resources.

#include <windows.h>

#include <memory>

#include "platform/SWCharString.h"

namespace PVLib500 {

template <class T>
using CSmartRefCountPtr = std::shared_ptr<T>;

class SResCollection {
public:
    explicit SResCollection(HINSTANCE module) : module_(module) {}

    // The string of that identifier in that locale's language; when the language has no text
    // for it, the text of language 1033. Empty when neither has one.
    SWCharString LookUpString(UINT id, LCID locale) const;

private:
    SWCharString LoadStringInLanguage(UINT id, LANGID language) const;
    HINSTANCE module_;
};

struct SResManager {
    static HRESULT Initialize();
    static HRESULT Terminate();
    // The texts are the module's own string table, so the collection's name and directory,
    // where satellite files would be looked for, do not change what it finds.
    static CSmartRefCountPtr<SResCollection> GetCollection(const SWCharString& name, const SWCharString& directory,
                                                           HINSTANCE module);
};

}  // namespace PVLib500

using PVLib500::CSmartRefCountPtr;
using PVLib500::SResCollection;
using PVLib500::SResManager;
