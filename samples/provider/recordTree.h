#pragma once
// A table whose rows may have rows below them, as the sample's record class reads it: the
// first column, a VT_I4, keys each row; a key with an entry in children is a collection record
// (its children possibly none), any other row a simple record. Every level has the same columns.

#include <map>
#include <memory>

#include "sampleTable.h"

struct RecordTree {
    SampleTable table;
    std::map<LONG, std::shared_ptr<const RecordTree>> children;
};
