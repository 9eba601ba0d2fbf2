#pragma once
// A _Recordset double over a real recordset (recordsetBuilder.h), on the forwarder
// (comForwarder.h): every call goes to the real recordset, its Fields and its Field objects
// unless Script() fails it, and the double can also:
// - refuse a move past the end, as Windows' ADO does (Wine's answers S_OK);
// - give an ActiveConnection of its own: a connection string, a FakeConnection, or empty
//   (Wine's recordset answers E_NOTIMPL);
// - present chapter columns (ADO type 136) whose Value is a child recordset;
// - leave a column out on chosen rows, as rows with custom fields do;
// - declare a column's defined size beyond the 32 bits that Wine's recordset keeps;
// - count its references and those of its Fields and Field doubles (testDouble.h).
//
//     ScriptableRecordset orders(BuildRecordset(columns, rows));
//     orders.AddChapter(1, L"Lines", lines);           // a second column, a chapter
//     orders.Script().Fail("_Recordset::MoveNext", E_FAIL);

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ado/adoInterfaces.h"
#include "common/comPtr.h"
#include "common/variant.h"
#include "support/comForwarder.h"

class ScriptableFields;

// What the recordset double adds to its real recordset's columns, read by its Fields and Field doubles.
struct ColumnChanges {
    struct Chapter {
        LONG position;  // where the column stands among all columns
        std::wstring name;
        ComPtr<_Recordset> child;
    };
    struct Lacking {
        std::wstring key;  // the first column's value on the row
        std::wstring name;
    };
    std::vector<Chapter> chapters;
    std::vector<Lacking> lacking;
    std::map<std::wstring, AdoLongPtr> definedSizes;
};

class ScriptableRecordset final : public Forwarder {
public:
    explicit ScriptableRecordset(ComPtr<_Recordset> inner);
    ~ScriptableRecordset();

    operator _Recordset*() { return As<_Recordset>(); }
    // A VT_BSTR connection string, a VT_DISPATCH connection, or VT_EMPTY.
    void SetActiveConnection(Variant connection) { connection_ = std::make_unique<Variant>(std::move(connection)); }
    // Before the first get_Fields: a chapter column at position among all columns.
    void AddChapter(LONG position, std::wstring name, ComPtr<_Recordset> child) {
        changes_.chapters.push_back({position, std::move(name), std::move(child)});
    }
    // Custom fields: the row whose first column reads as key has no column called name; asking
    // for it there fails as ADO fails for a name that is not in the collection.
    void LackOnRow(std::wstring key, std::wstring name) { changes_.lacking.push_back({std::move(key), std::move(name)}); }
    void DeclareDefinedSize(const std::wstring& column, AdoLongPtr size) { changes_.definedSizes[column] = size; }

    // References that others hold to the Fields double and its Field doubles.
    ULONG FieldsReferences() const;

private:
    static HRESULT GetFields(ScriptableRecordset* self, Fields** fields);
    static HRESULT MoveNext(ScriptableRecordset* self);
    static HRESULT GetActiveConnection(ScriptableRecordset* self, VARIANT* connection);

    CallScript script_;
    ComPtr<_Recordset> inner_;
    ColumnChanges changes_;
    std::unique_ptr<ScriptableFields> fields_;
    std::unique_ptr<Variant> connection_;
};

// A _Connection fake that answers Provider and counts its references; any other call fails the test.
class FakeConnection final : public Forwarder {
public:
    explicit FakeConnection(const wchar_t* provider);

    void FailProvider(HRESULT result) { script_.Fail("_Connection::get_Provider", result, WithoutErrorObject); }
    // An ActiveConnection holding this connection.
    Variant AsActiveConnection();

private:
    static HRESULT GetProvider(FakeConnection* self, BSTR* provider);

    CallScript script_;
    std::wstring provider_;
};
