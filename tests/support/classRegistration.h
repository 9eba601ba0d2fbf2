#pragma once
// A class object made creatable in this process for a scope: registered with
// CoRegisterClassObject and, given a ProgID, named under HKEY_CLASSES_ROOT (HKLM\Software\Classes,
// since Wine 8 ignores the user's classes when it resolves a ProgID). When the scope ends the
// class object is revoked and the ProgID names again what it named before, or nothing.

#include <windows.h>
#include <unknwn.h>

#include <optional>
#include <string>

class ClassRegistration {
public:
    // An empty progId registers the class identifier only.
    ClassRegistration(IClassFactory& factory, std::wstring progId, const CLSID& clsid);
    ~ClassRegistration();
    ClassRegistration(const ClassRegistration&) = delete;
    ClassRegistration& operator=(const ClassRegistration&) = delete;

    // The registry form: hexadecimal digits in braces.
    std::wstring ClsidString() const;
    const std::wstring& ProgId() const { return progId_; }

private:
    void RestoreProgId() const;

    std::wstring progId_;
    CLSID clsid_;
    std::optional<std::wstring> previousClsid_;
    DWORD cookie_ = 0;
};

// A class identifier no other registration of the test run uses.
CLSID FreshClsid();
