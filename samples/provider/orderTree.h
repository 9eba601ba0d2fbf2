#pragma once
// The bundled data as hierarchical records: each customer with its orders, each order with its
// lines. Every level has the columns Id (the row's key), Kind, Name and Amount: a customer's
// orders' totals, an order's total, a line's quantity times its unit price.

#include <memory>

#include "recordTree.h"

std::shared_ptr<const RecordTree> OrderTree();
