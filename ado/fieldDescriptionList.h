#pragma once
// The description of a rowset's columns, in column order, before it becomes the engine's field
// description records.

#include <cstdint>
#include <vector>

#include "platform/SWCharString.h"

struct FieldDescriptionEntry {
    SWCharString name;         // a chapter's columns carry the chapter's name and "-" before their own
    SWCharString description;  // always empty
    uint32_t valueType = 0;
    uint32_t length = 0;
    uint32_t typeOptions = 0;
    uint32_t furtherFields[3] = {};
};

using FieldDescriptionList = std::vector<FieldDescriptionEntry>;
