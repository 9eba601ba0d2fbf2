#include "sampleData.h"

#include "ado/adoInterfaces.h"

namespace {

struct Customer {
    LONG id;
    const wchar_t* name;
    const wchar_t* region;
    const wchar_t* email;  // null: not known
    LONGLONG creditLimit;  // ten-thousandths
};

const Customer kCustomers[] = {
    {1, L"Alder & Söhne", L"North", L"orders@alder.example", 250000000},
    {2, L"Birchwood Supplies", L"South", nullptr, 120000000},
    {3, L"Cedar Line Ltd", L"North", L"buying@cedar.example", 500000000},
    {4, L"Dunmore Trading", L"East", L"info@dunmore.example", 75000000},
    {5, L"Elmstead Café", L"South", nullptr, 15000000},
};

struct Order {
    LONG id;
    LONG customerId;
    int year, month, day;
    const wchar_t* note;  // null: none
};

const Order kOrders[] = {
    {1001, 1, 2026, 1, 12, L"Deliver before noon"},
    {1002, 2, 2026, 1, 30, nullptr},
    {1003, 3, 2026, 2, 14, L"Gift wrap"},
    {1004, 1, 2026, 3, 3, nullptr},
    {1005, 4, 2026, 3, 21, L"Call on arrival"},
    {1006, 5, 2026, 4, 2, nullptr},
    {1007, 3, 2026, 4, 18, nullptr},
};

struct OrderLine {
    LONG orderId;
    LONG line;
    const wchar_t* product;
    LONG quantity;
    LONGLONG unitPrice;   // ten-thousandths
    LONGLONG weightGrams; // thousandths of a kilogram
};

const OrderLine kOrderLines[] = {
    {1001, 1, L"Oak desk", 2, 3499900, 42500},    {1001, 2, L"Desk lamp", 4, 295000, 1250},
    {1002, 1, L"Filing cabinet", 1, 1890000, 31000}, {1003, 1, L"Notebook, A5", 50, 34500, 180},
    {1003, 2, L"Fountain pen", 5, 1250000, 35},   {1003, 3, L"Ink, blue", 10, 89900, 60},
    {1004, 1, L"Office chair", 6, 2199500, 14200}, {1005, 1, L"Whiteboard", 2, 1150000, 9800},
    {1006, 1, L"Espresso cups (6)", 3, 249000, 900}, {1007, 1, L"Bookshelf", 1, 2750000, 38000},
    {1007, 2, L"Desk lamp", 1, 295000, 1250},
};

const Customer& CustomerOf(const Order& order) {
    for (const Customer& customer : kCustomers)
        if (customer.id == order.customerId) return customer;
    return kCustomers[0];
}

LONGLONG OrderTotal(const Order& order) {
    LONGLONG total = 0;
    for (const OrderLine& line : kOrderLines)
        if (line.orderId == order.id) total += line.unitPrice * line.quantity;
    return total;
}

Variant TextOrNull(const wchar_t* text) { return text ? TextValue(text) : NullValue(); }

}  // namespace

SampleTable CustomersTable() {
    SampleTable table;
    table.columns = {{L"CustomerId", adInteger, 4},
                     {L"Name", adVarWChar, 60},
                     {L"Region", adVarWChar, 20},
                     {L"Email", adVarWChar, 80},
                     {L"CreditLimit", adCurrency, 8}};
    for (const Customer& customer : kCustomers) {
        std::vector<Variant> row;
        row.push_back(IntegerValue(customer.id));
        row.push_back(TextValue(customer.name));
        row.push_back(TextValue(customer.region));
        row.push_back(TextOrNull(customer.email));
        row.push_back(CurrencyValue(customer.creditLimit));
        table.rows.push_back(std::move(row));
    }
    return table;
}

SampleTable OrdersTable(const std::wstring& region, DATE since) {
    SampleTable table;
    table.columns = {{L"OrderId", adInteger, 4},      {L"Customer", adVarWChar, 60}, {L"Region", adVarWChar, 20},
                     {L"OrderDate", adDate, 8},       {L"Total", adCurrency, 8},     {L"Lines", adInteger, 4},
                     {L"Note", adVarWChar, 80}};
    for (const Order& order : kOrders) {
        const Customer& customer = CustomerOf(order);
        if (!region.empty() && region != customer.region) continue;
        Variant orderDate = DateValue(order.year, order.month, order.day);
        if (orderDate.Get()->date < since) continue;
        LONG lines = 0;
        for (const OrderLine& line : kOrderLines) lines += line.orderId == order.id ? 1 : 0;
        std::vector<Variant> row;
        row.push_back(IntegerValue(order.id));
        row.push_back(TextValue(customer.name));
        row.push_back(TextValue(customer.region));
        row.push_back(std::move(orderDate));
        row.push_back(CurrencyValue(OrderTotal(order)));
        row.push_back(IntegerValue(lines));
        row.push_back(TextOrNull(order.note));
        table.rows.push_back(std::move(row));
    }
    return table;
}

SampleTable OrderLinesTable(LONG orderId) {
    SampleTable table;
    table.columns = {{L"OrderId", adInteger, 4},   {L"Line", adInteger, 4},      {L"Product", adVarWChar, 60},
                     {L"Quantity", adInteger, 4},  {L"UnitPrice", adCurrency, 8}, {L"WeightKg", adDecimal, 16}};
    for (const OrderLine& line : kOrderLines) {
        if (line.orderId != orderId) continue;
        std::vector<Variant> row;
        row.push_back(IntegerValue(line.orderId));
        row.push_back(IntegerValue(line.line));
        row.push_back(TextValue(line.product));
        row.push_back(IntegerValue(line.quantity));
        row.push_back(CurrencyValue(line.unitPrice));
        row.push_back(DecimalValue(line.weightGrams, 3));
        table.rows.push_back(std::move(row));
    }
    return table;
}
