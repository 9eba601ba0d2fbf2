#pragma once
// Reports of the sample provider's Orders table, each with the orders it must read, run on a
// session that is logged on to the sample provider.

#include <string>
#include <vector>

#include "driverSession.h"

constexpr wchar_t kSampleProgramId[] = L"ZedbSample.Provider";

struct ExpectedOrder {
    long id;
    std::wstring customer;
};

struct OrdersReport {
    std::wstring title;
    ParameterTexts parameters;
    std::vector<ExpectedOrder> orders;
};

// The North region's orders since 1 February 2026.
OrdersReport NorthernOrders();
// Every region's orders since 15 March 2026.
OrdersReport OrdersSinceMidMarch();

// Fields, query, bindings and every record to the end; throws when a field, the number of
// records or an order's id or customer is not what the report must read.
void RunOrdersReport(const DriverSession& session, const OrdersReport& report);
