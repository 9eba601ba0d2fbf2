#pragma once
// ADODB.Record for tests and samples (Wine has none): a class object that makes _Record
// doubles, to be registered under the ProgID "ADODB.Record" (classRegistration.h).
// A record opened on a recordset reads the current row's first column, through ADO, as the
// row's key, and answers what the test described for that key: its RecordType, the recordset
// that GetChildren hands out (none, an empty one or one with rows; moved to its first row, as
// a fresh one would stand), or a refusal of Open. Undescribed rows are simple records. As ADO
// does, a record refuses Open while open, and Close, RecordType and GetChildren while closed,
// and Open on a recordset at BOF or EOF. It runs as a running object (IRunnableObject, for
// OleRun) and is asked for _Record once made. Every call, "_Record::QueryInterface" and
// "IRunnableObject::Run" included, can fail through Script() (adoScript.h),
// shared by all records of the class; creation fails with FailCreateInstance. Open checks the
// arguments with which the driver opens a row. Records live as long as their class object and
// count their references; with a release log each notes "record N" (N counting from 1 in
// creation order) when the last reference others held goes.
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
#include "support/adoScript.h"
#include "support/fakeClassFactory.h"

struct RecordRow {
    RecordTypeEnum type = adSimpleRecord;
    _Recordset* children = nullptr;
    HRESULT openRefusal = S_OK;
};

class ScriptableRecord final : public _Record, public ISupportErrorInfo {
public:
    ScriptableRecord(AdoScript& script, const std::map<std::wstring, RecordRow>& rows);
    ScriptableRecord(const ScriptableRecord&) = delete;
    ScriptableRecord& operator=(const ScriptableRecord&) = delete;

    ReferenceCount& References() { return references_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return references_.Add(); }
    ULONG STDMETHODCALLTYPE Release() override { return references_.Release(); }
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

    HRESULT STDMETHODCALLTYPE get_State(ObjectStateEnum* state) override;
    HRESULT STDMETHODCALLTYPE Open(VARIANT source, VARIANT activeConnection, ConnectModeEnum mode,
                                   RecordCreateOptionsEnum createOptions, RecordOpenOptionsEnum options,
                                   BSTR userName, BSTR password) override;
    HRESULT STDMETHODCALLTYPE Close() override;
    HRESULT STDMETHODCALLTYPE get_RecordType(RecordTypeEnum* type) override;
    HRESULT STDMETHODCALLTYPE GetChildren(_Recordset** children) override;

    ADO_UNEXPECTED_BASE(_Record)
    ADO_UNEXPECTED(_Record, get_ActiveConnection, VARIANT*)
    ADO_UNEXPECTED(_Record, put_ActiveConnection, BSTR)
    ADO_UNEXPECTED(_Record, putref_ActiveConnection, _Connection*)
    ADO_UNEXPECTED(_Record, get_Source, VARIANT*)
    ADO_UNEXPECTED(_Record, put_Source, BSTR)
    ADO_UNEXPECTED(_Record, putref_Source, IDispatch*)
    ADO_UNEXPECTED(_Record, get_Mode, ConnectModeEnum*)
    ADO_UNEXPECTED(_Record, put_Mode, ConnectModeEnum)
    ADO_UNEXPECTED(_Record, get_ParentURL, BSTR*)
    ADO_UNEXPECTED(_Record, MoveRecord, BSTR, BSTR, BSTR, BSTR, LONG, VARIANT_BOOL, BSTR*)
    ADO_UNEXPECTED(_Record, CopyRecord, BSTR, BSTR, BSTR, BSTR, LONG, VARIANT_BOOL, BSTR*)
    ADO_UNEXPECTED(_Record, DeleteRecord, BSTR, VARIANT_BOOL)
    ADO_UNEXPECTED(_Record, get_Fields, Fields**)
    ADO_UNEXPECTED(_Record, Cancel)

private:
    // The running-object face that OleRun asks for; its references are the record's.
    class Runnable final : public IRunnableObject {
    public:
        explicit Runnable(ScriptableRecord& record) : record_(record) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
            return record_.QueryInterface(iid, object);
        }
        ULONG STDMETHODCALLTYPE AddRef() override { return record_.AddRef(); }
        ULONG STDMETHODCALLTYPE Release() override { return record_.Release(); }
        HRESULT STDMETHODCALLTYPE GetRunningClass(CLSID*) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE Run(IBindCtx*) override { return record_.script_.Answer("IRunnableObject::Run"); }
        BOOL STDMETHODCALLTYPE IsRunning() override { return TRUE; }
        HRESULT STDMETHODCALLTYPE LockRunning(BOOL, BOOL) override { return S_OK; }
        HRESULT STDMETHODCALLTYPE SetContainedObject(BOOL) override { return S_OK; }

    private:
        ScriptableRecord& record_;
    };

    HRESULT RefuseWhileClosed(const char* call);

    Runnable runnable_{*this};
    AdoScript& script_;
    const std::map<std::wstring, RecordRow>& rows_;
    ReferenceCount references_{"ScriptableRecord"};
    bool open_ = false;
    RecordRow row_;
};

class ScriptableRecordClass final : public CountingClassFactory {
public:
    ScriptableRecordClass() = default;

    AdoScript& Script() { return script_; }
    void Describe(const std::wstring& key, RecordTypeEnum type, _Recordset* children = nullptr,
                  HRESULT openRefusal = S_OK) {
        rows_[key] = {type, children, openRefusal};
    }
    void LogReleasesTo(std::vector<std::string>& log) { log_ = &log; }
    size_t Created() const { return records_.size(); }

protected:
    HRESULT Make(REFIID iid, void** object) override;

private:
    AdoScript script_;
    std::map<std::wstring, RecordRow> rows_;
    std::vector<std::unique_ptr<ScriptableRecord>> records_;
    std::vector<std::string>* log_ = nullptr;
};
