#pragma once
// The few registry writes of the sample's registration, all under HKEY_CLASSES_ROOT.

#include <windows.h>

#include <string>

// The registry form: hexadecimal digits in braces.
std::wstring GuidText(REFGUID guid);
// A REG_SZ value; a null name sets the key's default value.
LSTATUS SetClassesValue(const std::wstring& key, const wchar_t* name, const std::wstring& value);
// The key's default value, or empty when the key or its value is missing.
std::wstring ReadClassesValue(const std::wstring& key);
// A key that is not there is already deleted.
LSTATUS DeleteClassesTree(const std::wstring& key);
