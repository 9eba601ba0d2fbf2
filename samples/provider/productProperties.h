#pragma once
// Products with properties of their own, for the record-mode method with custom fields: each
// product has only the properties that apply to it. The recordset holds every property as a
// column, null where a product lacks it; Id keys each row, every row a simple record.

#include <memory>

#include "recordTree.h"

std::shared_ptr<const RecordTree> ProductProperties();
