#include "ado/openrowseth.h"

#include "ado/providerLists.h"
#include "common/resultCodes.h"

DbOpenRowsetHandle::DbOpenRowsetHandle() noexcept = default;

DbOpenRowsetHandle::DbOpenRowsetHandle(ComPtr<_Recordset> recordset, std::shared_ptr<ProviderLists> providerLists) noexcept
    : recordset(std::move(recordset)), providerLists(std::move(providerLists)) {}

// The child goes first; the members then release the record before the recordset it was opened on.
DbOpenRowsetHandle::~DbOpenRowsetHandle() { childRowsetOfCurrentRecord.reset(); }

ComPtr<IDispatch>& DbOpenRowsetHandle::GetConnection(ComPtr<IDispatch>& connection) {
    connection.Reset();
    return connection;
}

int32_t DbOpenRowsetHandle::Cancel(DbErrorInfo** errorInfo) {
    if (!recordset) return DbSuccess;
    return ReportingFailures(errorInfo, DbFailed, [&]() -> int32_t {
        CheckCom(recordset->Cancel(), recordset);
        return DbSuccess;
    });
}

bool DbOpenRowsetHandle::AskCustomFields() { return AskProviderList(customFieldsSupport, ProviderList::customFields); }

bool DbOpenRowsetHandle::AskHierarchicalRecord() {
    return AskProviderList(hierarchicalRecordSupport, ProviderList::hierarchicalRecord);
}

bool DbOpenRowsetHandle::AskProviderList(int16_t& support, ProviderList list) {
    if (support == -1) {
        // No first answer yet: a question that fails is not asked again.
        support = 0;
        if (!providerName) providerName = GetProviderName(recordset);
        if (!providerLists) providerLists = std::make_shared<ProviderLists>();
        if (providerLists->IsListed(*providerName, list)) support = 1;
    }
    return support == 1;
}
