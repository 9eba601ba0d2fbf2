#include "platformGrowth.h"

#include <objbase.h>

#include <stdexcept>

#include "common/comPtr.h"
#include "common/variant.h"
#include "ordersReport.h"
#include "support/setupCheck.h"
#include "support/variantValues.h"
#include "workingSet.h"

namespace {

// Orders(region "North", since 1 February 2026), its arguments last first as Invoke takes them.
void InvokeOrders(IDispatch& provider, DISPID orders) {
    Variant since = Typed(VT_DATE), region = Text(L"North");
    SYSTEMTIME day{2026, 2, 0, 1, 0, 0, 0, 0};
    if (!SystemTimeToVariantTime(&day, &since.Get()->date)) throw std::runtime_error("SystemTimeToVariantTime failed");
    VARIANT arguments[] = {*since.Get(), *region.Get()};
    DISPPARAMS parameters{arguments, nullptr, 2, 0};
    Variant result;
    CheckSetup(provider.Invoke(orders, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, result.Get(),
                               nullptr, nullptr),
               "Invoke(Orders)");
    if (result.Get()->vt != VT_DISPATCH) throw std::runtime_error("Orders handed out no recordset");
}

void ProviderCycle() {
    CLSID clsid;
    CheckSetup(CLSIDFromProgID(kSampleProgramId, &clsid), "CLSIDFromProgID");
    ComPtr<IDispatch> provider;
    CheckSetup(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(provider.ReleaseAndGetAddressOf())),
               "CoCreateInstance");
    LPOLESTR name = const_cast<LPOLESTR>(L"Orders");
    DISPID orders = DISPID_UNKNOWN;
    CheckSetup(provider->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &orders), "GetIDsOfNames(Orders)");
    InvokeOrders(*provider.Get(), orders);
    InvokeOrders(*provider.Get(), orders);
}

}  // namespace

double SampleProviderGrowthPerCycle(int cycles) {
    for (int i = 0; i < cycles / 5; ++i) ProviderCycle();
    const double before = WorkingSetMiB();
    for (int i = 0; i < cycles; ++i) ProviderCycle();
    return (WorkingSetMiB() - before) * 1024 * 1024 / cycles;
}
