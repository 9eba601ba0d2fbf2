#include "ordersReport.h"

#include <stdexcept>

#include "support/sameValue.h"
#include "support/variantValues.h"
#include "textEncoding.h"

namespace {

const std::vector<std::wstring> kOrderFields{L"OrderId", L"Customer", L"Region", L"OrderDate",
                                             L"Total",   L"Lines",    L"Note"};

void CheckFields(const std::vector<FieldInfo>& fields) {
    std::vector<std::wstring> names;
    for (const FieldInfo& field : fields) names.push_back(field.name);
    if (names != kOrderFields) throw std::runtime_error("Orders: the fields are not the sample's order fields");
}

}  // namespace

OrdersReport NorthernOrders() {
    return {L"Orders region=North since=2026-02-01",
            {{L"region", L"North"}, {L"since", L"2026-02-01"}},
            {{1003, L"Cedar Line Ltd"}, {1004, L"Alder & S\u00f6hne"}, {1007, L"Cedar Line Ltd"}}};
}

OrdersReport OrdersSinceMidMarch() {
    return {L"Orders since=2026-03-15",
            {{L"since", L"2026-03-15"}},
            {{1005, L"Dunmore Trading"}, {1006, L"Elmstead Caf\u00e9"}, {1007, L"Cedar Line Ltd"}}};
}

void RunOrdersReport(const DriverSession& session, const OrdersReport& report) {
    size_t read = 0;
    session.Query(L"Orders", report.parameters, CheckFields, [&](const std::vector<Variant>& row) {
        if (read == report.orders.size())
            throw std::runtime_error(Utf8(report.title) + ": more than " + std::to_string(read) + " records");
        const ExpectedOrder& order = report.orders[read];
        if (!SameValue(*row[0].Get(), *I4(order.id).Get()) ||
            !SameValue(*row[1].Get(), *Text(order.customer.c_str()).Get()))
            throw std::runtime_error(Utf8(report.title) + ": record " + std::to_string(read + 1) +
                                     " is not order " + std::to_string(order.id));
        ++read;
        return true;
    });
    if (read != report.orders.size())
        throw std::runtime_error(Utf8(report.title) + ": read " + std::to_string(read) + " records of " +
                                 std::to_string(report.orders.size()));
}
