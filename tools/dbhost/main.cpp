// The report console: drives the driver DLL through its exports as the report engine does.
//   dbhost [--driver PATH] [--lang NAME] [--progid ID] info | tables | params TABLE |
//          fields TABLE [--param NAME=VALUE]... | query TABLE [--param NAME=VALUE]... [--format F] [--limit N]
// Exit codes: 0 success, 1 a driver export failed (its error records on standard error),
// 2 a command line the console cannot use.

#include <fcntl.h>
#include <io.h>
#include <objbase.h>

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "driverFailure.h"
#include "driverLibrary.h"
#include "driverSession.h"
#include "readProgress.h"
#include "reportWriter.h"
#include "textEncoding.h"

namespace {

constexpr int kDriverFailed = 1;
constexpr int kUsageError = 2;

struct Options {
    std::string driverPath = "zedb_com.dll";
    std::string language;
    std::string programId = "ZedbSample.Provider";
    std::string table;
    std::vector<std::string> parameters;
    std::string format = "table";
    long long limit = -1;
};

void Print(const std::string& line) { std::fprintf(stdout, "%s\n", line.c_str()); }

ParameterTexts ParameterAssignments(const Options& options) {
    ParameterTexts texts;
    for (const std::string& assignment : options.parameters) texts.push_back(SplitParameter(Utf16(assignment)));
    return texts;
}

void ShowInfo(DriverSession& session) {
    Print("Database type: " + Utf8(session.DatabaseType()));
    Print("\nCapability table\n  id  result  value");
    for (const CapabilityAnswer& answer : session.Capabilities()) {
        char line[64];
        std::snprintf(line, sizeof line, "  %2d  %6d  %s", answer.id, answer.result,
                      answer.answered ? std::to_string(answer.value).c_str() : "-");
        Print(line);
    }
}

void ShowTables(DriverSession& session) {
    for (const std::wstring& name : session.Tables()) Print(Utf8(name));
}

// The engine offers only the tables that the driver listed.
void RequireTable(DriverSession& session, const std::string& table) {
    const std::vector<std::wstring> tables = session.Tables();
    if (std::find(tables.begin(), tables.end(), Utf16(table)) == tables.end())
        throw UsageError("the provider has no table " + table);
}

void ShowParameters(DriverSession& session, const Options& options) {
    for (const ParameterInfo& parameter : session.Parameters(Utf16(options.table)))
        Print(Utf8(parameter.name) + " " + ValueTypeName(parameter.valueType));
}

void ShowFields(DriverSession& session, const Options& options) {
    for (const FieldInfo& field : session.Fields(Utf16(options.table), ParameterAssignments(options)))
        Print(Utf8(field.name) + " " + ValueTypeName(field.valueType) + " " + std::to_string(field.length));
}

void RunQuery(DriverSession& session, const Options& options) {
    std::unique_ptr<ReportWriter> writer = MakeReportWriter(options.format, stdout);
    ReadProgress progress;
    long long rows = 0;
    auto onFields = [&](const std::vector<FieldInfo>& fields) {
        std::vector<std::string> names;
        for (const FieldInfo& field : fields) names.push_back(Utf8(field.name));
        writer->Begin(names);
    };
    auto onRow = [&](const std::vector<Variant>& values) {
        std::vector<ValueText> texts;
        for (const Variant& value : values) texts.push_back(RenderValue(*value.Get()));
        writer->Row(std::move(texts));
        progress.RowRead();
        return ++rows != options.limit;
    };
    if (options.limit != 0) session.Query(Utf16(options.table), ParameterAssignments(options), onFields, onRow);
    else onFields(session.Fields(Utf16(options.table), ParameterAssignments(options)));
    writer->End();
}

// The command line as UTF-8, in the reverse order that CLI11 takes it.
std::vector<std::string> Arguments(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = argc - 1; i > 0; --i) arguments.push_back(Utf8(argv[i]));
    return arguments;
}

void AddParameterOption(CLI::App& command, Options& options) {
    command.add_option("--param", options.parameters, "A parameter value, NAME=VALUE (repeatable)");
}

// The engine calls the driver on threads whose apartment it has set up; so does the console.
class Apartment {
public:
    Apartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~Apartment() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    Apartment(const Apartment&) = delete;
    Apartment& operator=(const Apartment&) = delete;

private:
    HRESULT result_;
};

// Standard output is fully buffered, so what it holds goes out first.
void PrintError(const std::string& message) {
    std::fflush(stdout);
    std::fprintf(stderr, "dbhost: %s\n", message.c_str());
}

void PrintFailure(const DriverFailure& failure) {
    PrintError(failure.what());
    for (const DriverErrorRecord& record : failure.Records())
        std::fprintf(stderr, "  error %u: %s\n", record.code, Utf8(record.text).c_str());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // Output is UTF-8 and its line ends are the writers' own.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    // The C runtime gives a character device (NUL, or /dev/null under Wine) no buffer, as it does
    // a console, so every printed line would be a write of its own: buffer fully whatever it is.
    std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
    Options options;
    CLI::App app{"Report console: drives zedb_com.dll through its exports as the report engine does"};
    app.require_subcommand(1);
    app.add_option("--driver", options.driverPath, "The driver DLL")->capture_default_str();
    app.add_option("--lang", options.language, "The language of the driver's texts, such as en-US");
    app.add_option("--progid", options.programId, "The COM data provider's Program ID or {CLSID}")
        ->capture_default_str();
    CLI::App* info = app.add_subcommand("info", "The database type and the capability table");
    CLI::App* tables = app.add_subcommand("tables", "The provider's tables");
    CLI::App* params = app.add_subcommand("params", "A table's parameters and their types");
    params->add_option("TABLE", options.table)->required();
    CLI::App* fields = app.add_subcommand("fields", "A table's fields, their types and lengths");
    fields->add_option("TABLE", options.table)->required();
    AddParameterOption(*fields, options);
    CLI::App* query = app.add_subcommand("query", "A table's rows");
    query->add_option("TABLE", options.table)->required();
    AddParameterOption(*query, options);
    query->add_option("--format", options.format, "How the rows are written")
        ->check(CLI::IsMember(ReportFormats()))
        ->capture_default_str();
    query->add_option("--limit", options.limit, "At most this many rows")->check(CLI::NonNegativeNumber);
    try {
        app.parse(Arguments(argc, argv));
    } catch (const CLI::ParseError& error) {
        const int code = app.exit(error);
        return code == 0 ? 0 : kUsageError;
    }

    const Apartment apartment;
    try {
        const DriverLibrary driver(Utf16(options.driverPath));
        DriverSession session(driver, Utf16(options.language));
        if (*info) {
            ShowInfo(session);
        } else {
            session.LogOn(Utf16(options.programId));
            if (!*tables) RequireTable(session, options.table);
            if (*tables) ShowTables(session);
            else if (*params) ShowParameters(session, options);
            else if (*fields) ShowFields(session, options);
            else RunQuery(session, options);
        }
        return 0;
    } catch (const DriverFailure& failure) {
        PrintFailure(failure);
        return kDriverFailed;
    } catch (const UsageError& error) {
        PrintError(error.what());
        return kUsageError;
    } catch (const std::exception& error) {
        PrintError(error.what());
        return kDriverFailed;
    }
}
