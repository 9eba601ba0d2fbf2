#include "queryBenchmark.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "ado/fieldBinding.h"
#include "ado/recordReading.h"
#include "com/queryDefinition.h"
#include "common/bstr.h"
#include "common/comError.h"
#include "common/dbTableInfo.h"
#include "common/duplicateText.h"
#include "directRead.h"
#include "driverFailure.h"
#include "repeatingProvider.h"

namespace {

constexpr wchar_t kSampleProgramId[] = L"ZedbSample.Provider";

void Require(const char* operation, int32_t result, int32_t expected = DbSuccess) {
    if (result != expected) throw DriverFailure(operation, result, {});
}

// The column names of the generated table, for binding by name.
std::vector<std::wstring> ColumnNames(const ComPtr<_Recordset>& recordset) {
    ComPtr<Fields> fields;
    CheckCom(recordset->get_Fields(fields.ReleaseAndGetAddressOf()), recordset);
    LONG count = 0;
    CheckCom(fields->get_Count(&count), fields);
    std::vector<std::wstring> names;
    for (LONG i = 0; i < count; ++i) {
        Variant index;
        index.Get()->vt = VT_I4;
        index.Get()->lVal = i;
        ComPtr<Field> field;
        CheckCom(fields->get_Item(*index.Get(), field.ReleaseAndGetAddressOf()), fields);
        Bstr name;
        CheckCom(field->get_Name(name.ReleaseAndGetAddressOf()), field);
        names.emplace_back(name.Text());
    }
    return names;
}

class EngineQueries {
public:
    EngineQueries(const DriverSession& session, const std::vector<std::wstring>& names, bool byName)
        : session_(session), table_(NewTableInfo(), DeleteTableInfo) {
        table_->firstText = DuplicateText(L"Lines");
        tables_[0] = table_.get();
        definition_.tables = tables_;
        definition_.nTables = 1;
        for (size_t i = 0; i < names.size(); ++i) {
            DbFieldBindingInfo request{};
            request.bindingKind = byName ? kBindByName : kBindByPosition;
            request.fieldName = byName ? names[i].c_str() : nullptr;
            request.fieldOrdinal = static_cast<uint32_t>(i + 1);
            requests_.push_back(request);
        }
        bindings_.resize(names.size());
    }

    // One query, read to its end; the records read.
    uint64_t Run() {
        DbOpenRowsetHandle* rowset = nullptr;
        Require("DbExecuteQuery", execute_(session_.Server(), 0, &definition_, nullptr, nullptr, nullptr, &rowset,
                                           nullptr, nullptr));
        for (size_t i = 0; i < requests_.size(); ++i)
            Require("DbBindToField", bind_(rowset, &requests_[i], &bindings_[i], nullptr));
        const DbReadRequest positioned{0, 1}, moving{0, 0};
        uint64_t records = 0;
        int32_t read = read_(rowset, DbReadFirst, nullptr, &positioned, nullptr);
        for (; read == DbSuccess; read = read_(rowset, DbReadNext, nullptr, &moving, nullptr)) {
            for (DbFieldBinding* binding : bindings_)
                Require("DbReadVariantColumnValue",
                        readValue_(rowset, binding, nullptr, nullptr, value_.ReleaseAndGetAddressOf(), nullptr));
            ++records;
        }
        Require("DbReadRecord", read, DbNoMoreRecords);
        for (DbFieldBinding*& binding : bindings_) freeBinding_(std::exchange(binding, nullptr));
        close_(rowset);
        return records;
    }

private:
    const DriverSession& session_;
    decltype(&DbExecuteQuery) execute_ = DRIVER_EXPORT(session_.Driver(), DbExecuteQuery);
    decltype(&DbBindToField) bind_ = DRIVER_EXPORT(session_.Driver(), DbBindToField);
    decltype(&DbReadRecord) read_ = DRIVER_EXPORT(session_.Driver(), DbReadRecord);
    decltype(&DbReadVariantColumnValue) readValue_ = DRIVER_EXPORT(session_.Driver(), DbReadVariantColumnValue);
    decltype(&DbFreeFieldBinding) freeBinding_ = DRIVER_EXPORT(session_.Driver(), DbFreeFieldBinding);
    decltype(&DbCloseRowset) close_ = DRIVER_EXPORT(session_.Driver(), DbCloseRowset);
    std::unique_ptr<DbTableInfo, void (*)(DbTableInfo*)> table_;
    DbTableInfo* tables_[1];
    DbQueryDefinition definition_{};
    std::vector<DbFieldBindingInfo> requests_;
    std::vector<DbFieldBinding*> bindings_;
    Variant value_;
};

// The same work without the driver: the method looked up and called, its recordset moved to its
// first row, each column's Field looked up, every record read, everything released.
uint64_t RunDirectly(IDispatch* provider, const std::vector<std::wstring>& names, bool byName) {
    LPOLESTR method = const_cast<LPOLESTR>(L"Lines");
    DISPID member = DISPID_UNKNOWN;
    CheckCom(provider->GetIDsOfNames(IID_NULL, &method, 1, 0, &member), provider);
    DISPPARAMS none{};
    Variant result;
    CheckCom(provider->Invoke(member, IID_NULL, 0, DISPATCH_METHOD, &none, result.Get(), nullptr, nullptr), provider);
    ComPtr<_Recordset> recordset;
    CheckCom(ComPtr<IDispatch>(result.Get()->pdispVal).As(recordset));
    CheckCom(recordset->MoveFirst(), recordset);
    ComPtr<Fields> fields;
    CheckCom(recordset->get_Fields(fields.ReleaseAndGetAddressOf()), recordset);
    std::vector<ComPtr<Field>> columns(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        Variant index;
        if (byName) {
            index.Get()->bstrVal = Bstr(names[i].c_str()).Detach();
            index.Get()->vt = VT_BSTR;
        } else {
            index.Get()->vt = VT_I4;
            index.Get()->lVal = static_cast<LONG>(i);
        }
        CheckCom(fields->get_Item(*index.Get(), columns[i].ReleaseAndGetAddressOf()), fields);
    }
    Variant value;
    uint64_t records = 0;
    VARIANT_BOOL eof = VARIANT_FALSE;
    for (CheckCom(recordset->get_EOF(&eof), recordset); !eof; CheckCom(recordset->get_EOF(&eof), recordset)) {
        for (const ComPtr<Field>& column : columns) CheckCom(column->get_Value(value.ReleaseAndGetAddressOf()), column);
        ++records;
        CheckCom(recordset->MoveNext(), recordset);
    }
    return records;
}

// Microseconds per query of a batch; every query must read all rows.
template <class Query>
double MicrosecondsPerQuery(int queries, long rows, Query&& query) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < queries; ++i)
        if (query() != static_cast<uint64_t>(rows)) throw std::runtime_error("a query read the wrong number of rows");
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() / queries;
}

double Fastest(const std::vector<double>& values) { return *std::min_element(values.begin(), values.end()); }

}  // namespace

void MeasureQueries(const DriverSession& session, const QueryBenchmark& options) {
    const RepeatingProvider provider(GeneratedRecordset(kSampleProgramId, options.rows, options.columns));
    const ComPtr<IDispatch> direct = provider.Create();
    DriverSession logon(session.Driver(), L"");
    logon.LogOn(provider.ClassId());
    const std::vector<std::wstring> names = ColumnNames(GeneratedRecordset(kSampleProgramId, 1, options.columns));
    const int perRound = std::max(1, options.queries / options.rounds);
    std::printf("\nqueries of %ld rows x %ld columns: %d rounds of %d queries each way, alternating "
                "(microseconds a query, fastest and median round)\n",
                options.rows, options.columns, options.rounds, perRound);
    for (bool byName : {true, false}) {
        EngineQueries engine(logon, names, byName);
        std::vector<double> driver, plain;
        for (int round = 0; round < options.rounds; ++round) {
            driver.push_back(MicrosecondsPerQuery(perRound, options.rows, [&] { return engine.Run(); }));
            plain.push_back(MicrosecondsPerQuery(perRound, options.rows, [&] {
                return RunDirectly(direct.Get(), names, byName);
            }));
        }
        std::vector<double> sortedDriver = driver, sortedPlain = plain;
        std::sort(sortedDriver.begin(), sortedDriver.end());
        std::sort(sortedPlain.begin(), sortedPlain.end());
        const double driverMedian = sortedDriver[sortedDriver.size() / 2];
        const double plainMedian = sortedPlain[sortedPlain.size() / 2];
        std::printf("bound by %-8s driver %8.1f / %8.1f us   direct %7.1f / %7.1f us   ratio driver/direct "
                    "%5.2f (fastest) %5.2f (median)\n",
                    byName ? "name" : "position", Fastest(driver), driverMedian, Fastest(plain), plainMedian,
                    Fastest(driver) / Fastest(plain), driverMedian / plainMedian);
    }
}
