#pragma once
// A registry key under HKEY_CLASSES_ROOT written out with its values and subkeys, in order, so
// that two moments can be compared; "<absent>" for a key that does not exist.

#include <string>

std::wstring RegistrySnapshot(const std::wstring& key);
