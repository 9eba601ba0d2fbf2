#pragma once
// Failures on demand for the ADO doubles, shared by a recordset double and its Fields and Field
// doubles: any call named as "Interface::method" (as UnexpectedCall names them) can be told to
// fail with a chosen HRESULT, with or without an error object. With one, the failing double
// answers ISupportErrorInfo for its interface and the thread's error object is a fresh one whose
// description names the call; without one, it answers S_FALSE and the thread holds a stale error
// object that a driver following the rule must not take. Calls are counted by name.
//
//     script.Fail("_Recordset::MoveNext", E_FAIL);                  // with an error object
//     script.Fail("Field::get_Value", 0x800A0BCD, WithoutErrorObject);
//     script.Fail("_Recordset::MoveNext", S_OK);                    // passes again
//     script.FailOnce("Fields::get_Item", E_FAIL, true, 2);         // the third call fails, alone

#include <windows.h>
#include <oaidl.h>

#include <map>
#include <string>

#include "support/testDouble.h"

constexpr bool WithoutErrorObject = false;

// Source of every error object a double sets.
constexpr wchar_t kScriptedErrorSource[] = L"ScriptedADO";

class AdoScript {
public:
    void Fail(const std::string& call, HRESULT result, bool withErrorObject = true) {
        failures_[call] = {result, withErrorObject, 0, false};
    }
    // A passing failure: the call fails once, after it has passed `passing` more times.
    void FailOnce(const std::string& call, HRESULT result, bool withErrorObject, int passing) {
        failures_[call] = {result, withErrorObject, passing, true};
    }
    // A column's defined size as a provider may declare it, beyond the 32 bits that Wine's keep.
    void DeclareDefinedSize(const std::wstring& column, LONGLONG size) { sizes_[column] = size; }
    const LONGLONG* DeclaredSize(const std::wstring& column) const {
        auto found = sizes_.find(column);
        return found == sizes_.end() ? nullptr : &found->second;
    }
    // Counts the call and answers S_OK, or its failure with the thread's error object set as above.
    HRESULT Answer(const std::string& call);
    // A refusal that the platform itself would give, always with an error object.
    HRESULT Refuse(const std::string& call, HRESULT result, const wchar_t* description);
    int Calls(const std::string& call) const;
    const std::map<std::string, int>& AllCalls() const { return calls_; }
    // What a failing double answers to InterfaceSupportsErrorInfo for its own interface.
    HRESULT SupportsErrorInfo() const { return lastWithErrorObject_ ? S_OK : S_FALSE; }

private:
    struct Failure {
        HRESULT result;
        bool withErrorObject;
        int passing;
        bool once;
    };
    std::map<std::string, Failure> failures_;
    std::map<std::string, int> calls_;
    std::map<std::wstring, LONGLONG> sizes_;
    bool lastWithErrorObject_ = false;
};

// QueryInterface of an ADO double: its interface, IDispatch and IUnknown, and ISupportErrorInfo.
template <class Interface, class Double>
HRESULT AnswerQuery(Double* self, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(Interface))
        *object = static_cast<Interface*>(self);
    else if (iid == IID_ISupportErrorInfo)
        *object = static_cast<ISupportErrorInfo*>(self);
    else
        return E_NOINTERFACE;
    self->AddRef();
    return S_OK;
}

// One line per slot that a double does not expect to be called.
#define ADO_UNEXPECTED(Interface, method, ...) \
    HRESULT STDMETHODCALLTYPE method(__VA_ARGS__) override { return UnexpectedCall(#Interface "::" #method); }

// The IDispatch slots, and with them the _ADO slot, that ADO interfaces begin with.
#define ADO_UNEXPECTED_DISPATCH(Interface)                                                                    \
    ADO_UNEXPECTED(Interface, GetTypeInfoCount, UINT*)                                                        \
    ADO_UNEXPECTED(Interface, GetTypeInfo, UINT, LCID, ITypeInfo**)                                           \
    ADO_UNEXPECTED(Interface, GetIDsOfNames, REFIID, LPOLESTR*, UINT, LCID, DISPID*)                          \
    ADO_UNEXPECTED(Interface, Invoke, DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)

#define ADO_UNEXPECTED_BASE(Interface) \
    ADO_UNEXPECTED_DISPATCH(Interface) \
    ADO_UNEXPECTED(Interface, get_Properties, Properties**)
