#include "driverRead.h"

#include "ado/recordReading.h"
#include "common/variant.h"
#include "driverFailure.h"

uint64_t ReadThroughDriver(const DriverSession& session, const ExecutedQuery& query) {
    const DriverLibrary& driver = session.Driver();
    auto readRecord = DRIVER_EXPORT(driver, DbReadRecord);
    auto readValue = DRIVER_EXPORT(driver, DbReadVariantColumnValue);
    DbOpenRowsetHandle* rowset = query.rowset.get();
    const DbReadRequest moving{0, 0};
    Variant value;
    uint64_t rows = 0;
    int32_t read = readRecord(rowset, DbReadFirst, nullptr, &moving, nullptr);
    while (read == DbSuccess) {
        for (const auto& binding : query.bindings) {
            const int32_t result =
                readValue(rowset, binding.get(), nullptr, nullptr, value.ReleaseAndGetAddressOf(), nullptr);
            if (result != DbSuccess) throw DriverFailure("DbReadVariantColumnValue", result, {});
        }
        ++rows;
        read = readRecord(rowset, DbReadNext, nullptr, &moving, nullptr);
    }
    if (read != DbNoMoreRecords) throw DriverFailure("DbReadRecord", read, {});
    return rows;
}
