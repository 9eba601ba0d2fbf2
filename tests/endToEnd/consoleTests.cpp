// The console against the registered sample provider and the real driver DLL, each command's
// output compared with the expected file beside the test.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <string>

#include "sampleRegistration.h"
#include "support/loggerRegistry.h"
#include "support/registryValue.h"

namespace {

std::string ExpectedOutput(const wchar_t* fileName) {
    std::ifstream file((TestBinaryDirectory() + L"expected\\" + fileName).c_str(), std::ios::binary);
    EXPECT_TRUE(file.good()) << "missing expected file";
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

struct Report {
    const wchar_t* arguments;
    const wchar_t* expectedFile;
};

// Text, integers, currency, dates, decimals and nulls in each format; parameters of each kind;
// the CSV method on quoted fields with commas, quotes and line breaks, empty fields and
// non-ASCII text, back out as CSV, JSON and JSON Lines; its typed columns and short rows on a
// file of its own and on Debian's release history (whose first rows never change), typed and as
// text; a command's help.
const Report kReports[] = {
    {L"query --help", L"help-query.txt"},
    {L"info", L"info.txt"},
    {L"tables", L"tables.txt"},
    {L"params Orders", L"params-orders.txt"},
    {L"fields OrderLines", L"fields-orderlines.txt"},
    {L"query Orders --param region=North --param since=2026-02-01", L"orders-north.txt"},
    {L"--lang en-US query Orders --param since=2026-03-15T00:00:00 --format csv", L"orders-since.csv"},
    {L"query OrderLines --param orderId=1003 --format json", L"orderlines-1003.json"},
    {L"query Customers --format csv", L"customers.csv"},
    {L"query Customers --format json --limit 2", L"customers-2.json"},
    {L"query GeneratedTable --param rows=50000 --param columns=7 --limit 3", L"generated.txt"},
    {L"query CsvFile --param path=expected\\contacts-input.csv --format csv", L"contacts.csv"},
    {L"query CsvFile --param path=expected\\contacts-input.csv --format json", L"contacts.json"},
    {L"query CsvFile --param path=expected\\contacts-input.csv --format jsonl", L"contacts.jsonl"},
    {L"fields CsvFile --param path=expected\\typed-input.csv", L"typed-fields.txt"},
    {L"query CsvFile --param path=expected\\typed-input.csv --format csv", L"typed.csv"},
    {L"query CsvFile --param path=Z:\\usr\\share\\distro-info\\debian.csv --format csv --limit 5", L"debian-5.csv"},
    {L"query CsvFile --param path=Z:\\usr\\share\\distro-info\\debian.csv --param asText=true --format csv --limit 5",
     L"debian-5-text.csv"},
    {L"query OrderTree", L"ordertree-flat.txt"},  // outside the record-mode lists: the customers only
    {L"check", L"check.txt"},
    {L"check --call", L"check-call.txt"},
    {L"check --call --format json", L"check-call.json"},
};

// With the driver's lists naming the record-mode methods' providers: every customer, order and
// line in pre-order, and every product's properties, each value read through the row's record
// of the sample's record class; a method outside the lists still reads as a recordset (the
// sample's record cannot open on its rows).
const Report kRecordModeReports[] = {
    {L"query OrderTree", L"ordertree.txt"},
    {L"query ProductProperties", L"products.txt"},
    {L"query Customers --format csv", L"customers.csv"},
};

void ExpectReport(const Report& report) {
    SCOPED_TRACE(testing::Message() << "dbhost " << testing::PrintToString(std::wstring(report.arguments)));
    const ProcessRun run = RunConsole(report.arguments);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, ExpectedOutput(report.expectedFile));
}

struct Failure {
    const wchar_t* arguments;
    unsigned long exitCode;
    const char* message;
};

const Failure kFailures[] = {
    {L"qurey Orders", 2, "dbhost: unknown command 'qurey'; did you mean 'query'?\n"},
    {L"query Orders --formt csv", 2, "dbhost: unknown option '--formt'; did you mean '--format'?\n"},
    {L"query Shipments", 2, "dbhost: the provider has no table Shipments\n"},
    {L"query OrderLines --param orderId=ten", 2,
     "dbhost: the value 'ten' of parameter orderId is not of type int32s\n"},
    {L"query Orders --param since=2026-13-01", 2,
     "dbhost: the value '2026-13-01' of parameter since is not of type dateTime\n"},
    {L"query Orders --param country=FR", 2, "dbhost: the table has no parameter country\n"},
    {L"--progid Zedb.NotRegistered tables", 1,
     "dbhost: DbLogonServer failed with result 12 (an argument is missing or names nothing known, such as an "
     "unregistered Program ID)\n"},
    // The provider's own exception follows the driver's record (the system's text is Wine's).
    {L"query CsvFile --param path=no-such-file.csv", 1,
     "dbhost: DbFetchTableFields failed with result 303 (the provider's method failed or could not be called)\n"
     "  error 303: Failed to execute the COM interface to obtain the Recordset.\n"
     "  error 303: ADO Error Code: 0x80070002\n             Source: ZedbSample.Provider\n"
     "             Description: CsvFile(no-such-file.csv): File not found.\n"},
    {L"query CsvFile --param path=expected\\long-row-input.csv", 1,
     "dbhost: DbFetchTableFields failed with result 303 (the provider's method failed or could not be called)\n"
     "  error 303: Failed to execute the COM interface to obtain the Recordset.\n"
     "  error 12: ADO Error Code: 0x80070057\n            Source: ZedbSample.Provider\n"
     "            Description: CsvFile(expected\\long-row-input.csv): line 4 has 3 fields where the header has 2\n"},
};

// A trace with each call's time masked, so that it compares with an expected text.
std::string WithoutTimes(const std::string& trace) { return std::regex_replace(trace, std::regex("[0-9]+ us\n"), "# us\n"); }

}  // namespace

TEST(Console, EveryCommandWritesTheExpectedReport) {
    for (const Report& report : kReports) ExpectReport(report);
}

TEST(Console, RecordModeMethodsReadThroughTheSampleRecordClass) {
    const ProviderListValue hierarchical(HKEY_CURRENT_USER, kHierarchicalRecordProviders, L"ZedbSampleHierarchy");
    const ProviderListValue custom(HKEY_CURRENT_USER, kCustomFieldsProviders, L"ZedbSampleCustomFields");
    for (const Report& report : kRecordModeReports) ExpectReport(report);
}

TEST(Console, FailuresSayWhatFailedOnStandardErrorAndExitNonZero) {
    for (const Failure& failure : kFailures) {
        SCOPED_TRACE(testing::Message() << "dbhost " << testing::PrintToString(std::wstring(failure.arguments)));
        const ProcessRun run = RunConsole(failure.arguments);
        EXPECT_EQ(run.exitCode, failure.exitCode);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, failure.message);
    }
}

TEST(Console, TraceShowsEveryExportCallOfAReportWithItsArgumentsAndResult) {
    const ProcessRun run = RunConsole(L"--trace query Orders --param region=North --param since=2026-02-01");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.out, ExpectedOutput(L"orders-north.txt"));
    EXPECT_EQ(WithoutTimes(run.err), ExpectedOutput(L"orders-north-trace.txt"));
}
