#pragma once
// Error reporting of the ADO rowset layer: failures become result codes and records of the
// engine's error list.

#include <windows.h>

#include <cstdint>

#include "ado/errorInfo.h"
#include "common/comError.h"
#include "platform/SWCharString.h"

// Adds the driver's own message for codes 230, 303 and 808 in languageName; other codes and
// empty messages add nothing. Returns code. A null errorInfo receives nothing.
int32_t ReportDriverError(const SWCharString& languageName, int32_t code, DbErrorInfo** errorInfo);

// Adds a record for a failed ADO or COM call: its HRESULT and, when its error object gives them,
// source and description, labelled in languageName; writes the text to the log. Returns the
// record's code (MapHResultToResultCode). A null errorInfo receives nothing.
int32_t ReportComError(const ComError& error, DbErrorInfo** errorInfo, const SWCharString& languageName,
                       int32_t defaultCode);

// For operations without an error list: logs the failure and returns its code (default 11).
int32_t ResultCodeFromComError(const ComError& error);

int32_t MapHResultToResultCode(HRESULT result, int32_t defaultCode);
