#include "support/driverDll.h"

#include "support/loggerRegistry.h"

DriverDll::DriverDll() : DriverLibrary(TestBinaryDirectory() + L"zedb_com.dll") {}

FreshModule::FreshModule(const wchar_t* fileName)
    : module_(LoadLibraryW((TestBinaryDirectory() + fileName).c_str())) {}

FreshModule::~FreshModule() {
    if (module_) FreeLibrary(module_);
}
