#include "orderTree.h"

#include <string>

#include "ado/adoInterfaces.h"
#include "sampleData.h"

namespace {

// Columns of the bundled tables that the tree reads.
constexpr size_t kCustomerId = 0, kCustomerName = 1;
constexpr size_t kOrderId = 0, kOrderCustomer = 1, kOrderTotal = 4;
constexpr size_t kLineNumber = 1, kLineProduct = 2, kLineQuantity = 3, kLineUnitPrice = 4;

std::shared_ptr<RecordTree> Level() {
    auto level = std::make_shared<RecordTree>();
    level->table.columns = {
        {L"Id", adInteger, 4}, {L"Kind", adVarWChar, 10}, {L"Name", adVarWChar, 60}, {L"Amount", adCurrency, 8}};
    return level;
}

void AddRow(RecordTree& level, LONG id, const wchar_t* kind, const std::wstring& name, LONGLONG amount) {
    std::vector<Variant> row;
    row.push_back(IntegerValue(id));
    row.push_back(TextValue(kind));
    row.push_back(TextValue(name));
    row.push_back(CurrencyValue(amount));
    level.table.rows.push_back(std::move(row));
}

LONG Integer(const std::vector<Variant>& row, size_t column) { return row[column].Get()->lVal; }
std::wstring Text(const std::vector<Variant>& row, size_t column) { return row[column].Get()->bstrVal; }
LONGLONG Currency(const std::vector<Variant>& row, size_t column) { return row[column].Get()->cyVal.int64; }

std::shared_ptr<const RecordTree> LinesOf(LONG orderId) {
    std::shared_ptr<RecordTree> lines = Level();
    for (const std::vector<Variant>& line : OrderLinesTable(orderId).rows)
        AddRow(*lines, Integer(line, kLineNumber), L"Line", Text(line, kLineProduct),
               Integer(line, kLineQuantity) * Currency(line, kLineUnitPrice));
    return lines;
}

}  // namespace

std::shared_ptr<const RecordTree> OrderTree() {
    const SampleTable orders = OrdersTable(L"", 0);
    std::shared_ptr<RecordTree> customers = Level();
    for (const std::vector<Variant>& customer : CustomersTable().rows) {
        const std::wstring name = Text(customer, kCustomerName);
        std::shared_ptr<RecordTree> ordersOfCustomer = Level();
        LONGLONG total = 0;
        for (const std::vector<Variant>& order : orders.rows) {
            if (Text(order, kOrderCustomer) != name) continue;
            const LONG id = Integer(order, kOrderId);
            AddRow(*ordersOfCustomer, id, L"Order", L"Order " + std::to_wstring(id), Currency(order, kOrderTotal));
            ordersOfCustomer->children[id] = LinesOf(id);
            total += Currency(order, kOrderTotal);
        }
        const LONG id = Integer(customer, kCustomerId);
        AddRow(*customers, id, L"Customer", name, total);
        customers->children[id] = std::move(ordersOfCustomer);
    }
    return customers;
}
