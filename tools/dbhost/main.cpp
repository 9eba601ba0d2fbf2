// A console stand-in for the report engine: loads the driver, starts it and prints what it
// says about itself.
//   dbhost [--driver PATH] [--language NAME]

#include <cstdio>
#include <exception>
#include <string>

#include "driverLibrary.h"

namespace {

struct Options {
    std::wstring driverPath = L"zedb_com.dll";
    std::wstring language;
};

Options ParseOptions(int argc, wchar_t** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::wstring name = argv[i];
        if (name == L"--driver") options.driverPath = argv[i + 1];
        else if (name == L"--language") options.language = argv[i + 1];
        else throw std::runtime_error("usage: dbhost [--driver PATH] [--language NAME]");
    }
    return options;
}

class DriverSession {
public:
    DriverSession(const DriverLibrary& driver, const std::wstring& language)
        : driver_(driver), language_(language) {
        driver_.Export<DbInitializeFn>("DbInitialize")(nullptr, language_.c_str());
    }
    ~DriverSession() { driver_.Export<DbTerminateFn>("DbTerminate")(); }

    void PrintDatabaseType() const {
        wchar_t* name = nullptr;
        int32_t result = driver_.Export<DbFetchDatabaseTypeFn>("DbFetchDatabaseType")(language_.c_str(), &name);
        if (result != 0) {
            std::printf("Database type: unavailable (result %d)\n", result);
            return;
        }
        std::printf("Database type: %ls\n", name);
        driver_.Export<DbFreeStringFn>("DbFreeString")(name);
    }

    void PrintCapabilities() const {
        auto getInfo = driver_.Export<DbGetInfoFn>("DbGetInfo");
        std::printf("\nCapability table\n  id  result  value\n");
        // The driver leaves the cell alone for questions it does not answer.
        const uint32_t untouched = 0xCCCCCCCC;
        for (int32_t id = 1; id <= 26; ++id) {
            uint32_t value = untouched;
            int32_t result = getInfo(nullptr, id, &value);
            if (value == untouched) std::printf("  %2d  %6d  -\n", id, result);
            else std::printf("  %2d  %6d  %u\n", id, result, value);
        }
    }

private:
    const DriverLibrary& driver_;
    std::wstring language_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    try {
        Options options = ParseOptions(argc, argv);
        DriverLibrary driver(options.driverPath);
        DriverSession session(driver, options.language);
        session.PrintDatabaseType();
        session.PrintCapabilities();
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "dbhost: %s\n", error.what());
        return 1;
    }
}
