#pragma once
// Parameter values typed on the command line (NAME=VALUE) turned into the engine's value
// records of each parameter's type, as the engine would hand them to the driver.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/dbvalue.h"

using ParameterTexts = std::vector<std::pair<std::wstring, std::wstring>>;

// Splits NAME=VALUE; raises UsageError without an equals sign.
std::pair<std::wstring, std::wstring> SplitParameter(const std::wstring& assignment);

// A discrete value of valueType read from text: integers, numbers, currency and decimals in
// the invariant locale, dates and times in ISO 8601, booleans as true/false. Raises UsageError
// naming the parameter when the text is no such value.
std::unique_ptr<DbValue> ParameterValue(const std::wstring& name, uint32_t valueType, const std::wstring& text);

// The value type's name as the console prints it ("int32s", "string", "date", ...).
const char* ValueTypeName(uint32_t valueType);
