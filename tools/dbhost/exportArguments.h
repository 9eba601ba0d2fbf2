#pragma once
// The arguments of export calls as the trace writes them: texts quoted, parameter records with
// their names, value types and values, binding requests and read requests spelt out.

#include <cstdint>
#include <string>

#include "ado/fieldBinding.h"
#include "ado/recordReading.h"
#include "common/dbLogonInfo.h"
#include "common/dbvalue.h"
#include "common/descriptionRecords.h"

// "\"text\"", or null; line breaks and quotes escaped so that a call stays on one line.
std::string Quoted(const wchar_t* text);

// A discrete value as text: strings quoted, dates in ISO 8601; "(range)" or "(list)" otherwise.
std::string ValueArgument(const DbValue& value);

// "[region:string=\"North\", since:dateTime=2026-02-01]"; a parameter without value has none.
std::string ParametersArgument(uint32_t count, DbParameterDescription* const* parameters, DbValue* const* values);

// "by name, name=\"OrderId\", occurrence=0" or "by position, ordinal=3".
std::string BindingArgument(const DbFieldBindingInfo& request);

// "mode=next", "mode=first, positioned".
std::string ReadArgument(int32_t mode, const DbReadRequest& request);

// The Program ID property of a logon record: "Program ID=\"ZedbSample.Provider\"".
std::string LogonArgument(const DbLogonInfo* logonInfo);
