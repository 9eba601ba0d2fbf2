// The provider check as one JSON object, its keys in the order of the text report.

#include <nlohmann/json.hpp>

#include <algorithm>

#include "checkReport.h"
#include "parameterValues.h"
#include "textEncoding.h"
#include "typeNames.h"

namespace {

using Json = nlohmann::ordered_json;

Json Failure(const DriverFailure& failure) {
    Json records = Json::array();
    for (const DriverErrorRecord& record : failure.Records())
        records.push_back({{"code", record.code}, {"text", Utf8(record.text)}});
    return {{"failure", failure.what()}, {"result", failure.Result()}, {"records", records}};
}

Json ClassJson(const ProviderClass& found) {
    if (!found.found) return nullptr;
    Json server = nullptr;
    if (!found.serverKind.empty())
        server = {{"kind", found.serverKind}, {"path", Utf8(found.serverPath)}, {"exists", found.serverExists},
                  {"threadingModel", Utf8(found.threadingModel)}};
    Json typeLibrary = nullptr;
    if (!found.typeLibrary.empty()) {
        Json versions = Json::array();
        for (const std::wstring& version : found.typeLibraryVersions) versions.push_back(Utf8(version));
        typeLibrary = {{"id", Utf8(found.typeLibrary)}, {"versions", versions}};
    }
    return {{"clsid", Utf8(found.clsidText)}, {"server", server}, {"typeLibrary", typeLibrary}};
}

Json FieldsJson(const TableOutcome& table) {
    Json fields = Json::array();
    for (const FieldRow& row : table.fields) {
        Json field = {{"name", Utf8(row.name)}};
        if (row.column) {
            field["adoType"] = AdoTypeName(row.column->type);
            field["definedSize"] = row.column->definedSize;
        }
        if (row.field) {
            field["valueType"] = ValueTypeName(row.field->valueType);
            field["length"] = row.field->length;
        } else {
            field["note"] = FieldRowNote(row);
        }
        fields.push_back(field);
    }
    return fields;
}

Json FunctionJson(const FunctionCheck& function, const std::vector<TableOutcome>& tables) {
    Json json = {{"index", function.index}, {"name", Utf8(function.name)}, {"verdict", function.verdict}};
    if (function.examination.verdict != MethodVerdict::Table) return json;
    Json parameters = Json::array();
    for (const ParameterCheck& parameter : function.parameters)
        parameters.push_back({{"name", Utf8(parameter.name)}, {"verdict", parameter.verdict}});
    json["parameters"] = parameters;
    const auto table = std::find_if(tables.begin(), tables.end(),
                                    [&](const TableOutcome& outcome) { return outcome.index == function.index; });
    if (table == tables.end()) return json;
    json["usable"] = table->usable;
    if (table->parameterFailure) json["parameterList"] = Failure(*table->parameterFailure);
    if (table->callFailure) json["call"] = Failure(*table->callFailure);
    if (table->called && !table->callFailure) json["fields"] = FieldsJson(*table);
    if (table->columns.result != DbSuccess || FAILED(table->columns.failure))
        json["recordsetColumnsUnknown"] = {{"result", table->columns.result}, {"adoFailure", table->columns.failure}};
    return json;
}

}  // namespace

void WriteCheckJson(const ProviderCheck& check, std::FILE* out) {
    Json json = {{"programId", Utf8(check.programId)}, {"class", ClassJson(check.providerClass)}};
    if (!check.objectFailure.empty()) json["failure"] = check.objectFailure;
    if (check.objectFailure.empty()) {
        Json functions = Json::array();
        for (const FunctionCheck& function : check.typeInformation.functions)
            functions.push_back(FunctionJson(function, check.tables));
        json["typeInformation"] = {{"name", Utf8(check.typeInformation.name)},
                                   {"dispatchInterface", check.typeInformation.kind == TKIND_DISPATCH},
                                   {"functions", functions}};
        if (FAILED(check.typeInformation.failure)) json["typeInformation"]["refusal"] = check.typeInformation.failure;
    }
    if (check.logonFailure) json["logon"] = Failure(*check.logonFailure);
    json["usableTables"] = check.usableTables;
    std::fprintf(out, "%s\n", json.dump(2).c_str());
}
