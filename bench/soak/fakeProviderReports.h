#pragma once
// The test doubles as the COM data provider: a FakeProvider over real type information, made
// creatable for this process under a ProgID, whose Lines(count) method hands out one of
// sixteen recordsets built at the start (Wine's ADODB.Recordset behind a ScriptableRecordset
// that counts its references). Built once, they keep Wine's own cost of making recordsets out
// of the cycles, so that what grows is the driver's.

#include <memory>
#include <vector>

#include "driverSession.h"
#include "support/fakeProvider.h"
#include "support/registeredProvider.h"
#include "support/scriptableRecordset.h"

class FakeProviderReports {
public:
    FakeProviderReports();

    // Logon, fields, query, bindings, every record to the end, close and logoff, with 1 to 16
    // records by cycle. Throws when a field or value read is not the one handed out, or when
    // the provider or a recordset keeps a reference the driver took.
    void RunCycle(DriverSession& session, int cycle);

private:
    HRESULT AnswerLines(const FakeProvider::Invocation& call, Variant& result);
    void CheckReleased() const;

    FakeProvider provider_;
    RegisteredProvider registration_;
    ULONG providerReferences_;
    std::vector<std::unique_ptr<ScriptableRecordset>> recordsets_;
};
