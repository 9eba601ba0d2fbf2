#include "consoleCommands.h"

#include <algorithm>
#include <cstdio>

#include "capabilityTable.h"
#include "checkReport.h"
#include "driverFailure.h"
#include "readProgress.h"
#include "reportWriter.h"
#include "textEncoding.h"

namespace {

void Print(const std::string& line) { std::fprintf(stdout, "%s\n", line.c_str()); }

ParameterTexts ParameterAssignments(const Options& options) {
    ParameterTexts texts;
    for (const std::string& assignment : options.parameters) texts.push_back(SplitParameter(Utf16(assignment)));
    return texts;
}

// The engine offers only the tables that the driver listed.
void LogOnForTable(DriverSession& session, const Options& options) {
    session.LogOn(Utf16(options.programId));
    const std::vector<std::wstring> tables = session.Tables();
    if (std::find(tables.begin(), tables.end(), Utf16(options.table)) == tables.end())
        throw UsageError("the provider has no table " + options.table);
}

void AddTable(CLI::App& command, Options& options) {
    command.add_option("TABLE", options.table, "A table's name, as the tables command lists it")->required();
}

void AddTableAndParameters(CLI::App& command, Options& options) {
    AddTable(command, options);
    command.add_option("--param", options.parameters, "A parameter value, NAME=VALUE (repeatable)");
}

void AddQueryArguments(CLI::App& command, Options& options) {
    AddTableAndParameters(command, options);
    command.add_option("--format", options.format, "How the rows are written")
        ->check(CLI::IsMember(ReportFormats()))
        ->capture_default_str();
    command.add_option("--limit", options.limit, "At most this many rows")->check(CLI::NonNegativeNumber);
}

void NoArguments(CLI::App&, Options&) {}

int ShowInfo(DriverSession& session, const Options&) {
    Print("Database type: " + Utf8(session.DatabaseType()) + "\n");
    std::fputs(CapabilityTable(session.Capabilities()).c_str(), stdout);
    return 0;
}

int ShowTables(DriverSession& session, const Options& options) {
    session.LogOn(Utf16(options.programId));
    for (const std::wstring& name : session.Tables()) Print(Utf8(name));
    return 0;
}

int ShowParameters(DriverSession& session, const Options& options) {
    LogOnForTable(session, options);
    for (const ParameterInfo& parameter : session.Parameters(Utf16(options.table)))
        Print(Utf8(parameter.name) + " " + ValueTypeName(parameter.valueType));
    return 0;
}

int ShowFields(DriverSession& session, const Options& options) {
    LogOnForTable(session, options);
    for (const FieldInfo& field : session.Fields(Utf16(options.table), ParameterAssignments(options)))
        Print(Utf8(field.name) + " " + ValueTypeName(field.valueType) + " " + std::to_string(field.length));
    return 0;
}

int RunQuery(DriverSession& session, const Options& options) {
    LogOnForTable(session, options);
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
    return 0;
}

void AddCheckArguments(CLI::App& command, Options& options) {
    command.add_flag("--call", options.call,
                     "Call each table as the engine lists its fields, and show its fields beside the recordset's columns");
    command.add_option("--format", options.format, "How the check is written")
        ->check(CLI::IsMember({"table", "json"}))
        ->capture_default_str();
}

// Exit code 1 when the engine could use none of the provider's tables.
int CheckProvider(DriverSession& session, const Options& options) {
    const ProviderCheck check = RunProviderCheck(session, Utf16(options.programId), options.call);
    if (options.format == "json") WriteCheckJson(check, stdout);
    else WriteCheckText(check, stdout);
    return check.usableTables > 0 ? 0 : 1;
}

}  // namespace

const std::vector<ConsoleCommand>& ConsoleCommands() {
    static const std::vector<ConsoleCommand> commands = {
        {"info", "The database type and the driver's capability answers", "dbhost info", NoArguments, ShowInfo},
        {"tables", "The provider's tables", "dbhost --progid ZedbSample.Provider tables", NoArguments, ShowTables},
        {"params", "A table's parameters and their types", "dbhost params Orders", AddTable, ShowParameters},
        {"fields", "A table's fields, their types and lengths", "dbhost fields OrderLines --param orderId=1003",
         AddTableAndParameters, ShowFields},
        {"query", "A table's rows", "dbhost query Orders --param region=North --param since=2026-02-01",
         AddQueryArguments, RunQuery},
        {"check", "Why each of the provider's methods is a table or not, its parameters and, with --call, its fields",
         "dbhost --progid ZedbSample.Provider check --call", AddCheckArguments, CheckProvider},
    };
    return commands;
}
