#pragma once
// The engine's query definition record. The driver reads only the fields named here; the rest
// belong to the engine and are kept as placeholders at their offsets.

#include <cstddef>
#include <cstdint>

#include "common/dbTableInfo.h"
#include "common/dbvalue.h"
#include "common/descriptionRecords.h"

struct DbQueryDefinition {
    DbTableInfo** tables;                  // the first entry's record begins with the table's name
    uint8_t engineFieldsAt8[48];
    DbParameterDescription** parameters;   // nParameters entries, in declaration order
    DbValue** parameterValues;             // nParameters entries, or null
    uint8_t engineFieldsAt72[12];
    uint32_t nTables;                      // 1 for this driver
    uint8_t engineFieldsAt88[12];
    uint32_t nParameters;
};
static_assert(offsetof(DbQueryDefinition, tables) == 0, "DbQueryDefinition layout");
static_assert(offsetof(DbQueryDefinition, parameters) == 56, "DbQueryDefinition layout");
static_assert(offsetof(DbQueryDefinition, parameterValues) == 64, "DbQueryDefinition layout");
static_assert(offsetof(DbQueryDefinition, nTables) == 84, "DbQueryDefinition layout");
static_assert(offsetof(DbQueryDefinition, nParameters) == 100, "DbQueryDefinition layout");
