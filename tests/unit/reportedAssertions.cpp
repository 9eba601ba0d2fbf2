#include "reportedAssertions.h"

#include <gtest/gtest.h>

#include "platform/logBridge.h"

// A non-negative level makes the bridge load the library again even after an earlier set-up
// in this process failed, so the reports reach this logger whatever ran before.
ReportedAssertions::ReportedAssertions() : registryValue_(TestLoggerDirectory(L"full")), logger_(L"full") {
    logger_.Configure(0, true);
    SetUpLogging(0, 0);
    if (!AreAssertionsEnabled()) ADD_FAILURE() << "assertion reports could not be turned on";
}

ReportedAssertions::~ReportedAssertions() { ShutDownLogging(); }

std::vector<std::wstring> ReportedAssertions::Take() {
    std::vector<std::wstring> reports;
    // Records read "assert|<file>|<line>|<condition>".
    for (const std::wstring& record : logger_.RecordsStartingWith(L"assert|")) {
        const size_t fileEnd = record.find(L'|', 7);
        const size_t lineEnd = record.find(L'|', fileEnd + 1);
        reports.push_back(record.substr(7, fileEnd - 7) + L"|" + record.substr(lineEnd + 1));
    }
    logger_.Reset();
    return reports;
}
