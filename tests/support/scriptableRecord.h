#pragma once
// ADODB.Record for tests (Wine has none): a class object that makes _Record fakes on the
// forwarder (comForwarder.h), to be registered under the ProgID "ADODB.Record"
// (classRegistration.h). A record opened on a recordset reads the current row's first column,
// through ADO, as the row's key, and answers what the test described for that key: its
// RecordType, the recordset that GetChildren hands out (none, an empty one or one with rows;
// moved to its first row, as a fresh one would stand), or a refusal of Open. Undescribed rows are
// simple records. As ADO does, a record refuses Open while open, and Close, RecordType and
// GetChildren while closed, and Open on a recordset at BOF or EOF. It runs as a running object
// (IRunnableObject, for OleRun) and is asked for _Record once made. Every call,
// "_Record::QueryInterface" and "IRunnableObject::Run" included, can fail through Script(),
// shared by all records of the class; creation fails with FailCreateInstance. Open checks the
// arguments with which the driver opens a row. Records live as long as their class object; with a
// release log each notes "record N" (N counting from 1 in creation order) when the last
// reference others held goes.
//
//     ScriptableRecordClass records;
//     records.Describe(L"R1", adCollectionRecord, &children);  // children stay the test's
//     records.Describe(L"R2", adSimpleRecord, nullptr, E_FAIL);  // Open refused on R2
//     const ClassRegistration registration(records, L"ADODB.Record", FreshClsid());

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ado/adoInterfaces.h"
#include "support/comForwarder.h"
#include "support/fakeClassFactory.h"

struct RecordRow {
    RecordTypeEnum type = adSimpleRecord;
    _Recordset* children = nullptr;
    HRESULT openRefusal = S_OK;
};

class ScriptableRecord;

class ScriptableRecordClass final : public CountingClassFactory {
public:
    ScriptableRecordClass();
    ~ScriptableRecordClass();

    CallScript& Script() { return script_; }
    void Describe(const std::wstring& key, RecordTypeEnum type, _Recordset* children = nullptr,
                  HRESULT openRefusal = S_OK) {
        rows_[key] = {type, children, openRefusal};
    }
    void LogReleasesTo(std::vector<std::string>& log) { log_ = &log; }
    size_t Created() const { return records_.size(); }

protected:
    HRESULT Make(REFIID iid, void** object) override;

private:
    CallScript script_;
    std::map<std::wstring, RecordRow> rows_;
    std::vector<std::unique_ptr<ScriptableRecord>> records_;
    std::vector<std::string>* log_ = nullptr;
};
