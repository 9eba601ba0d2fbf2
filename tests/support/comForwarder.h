#pragma once
// One double for every COM interface a test needs to fail or count: a forwarder whose vtable
// sends each call on, unchanged, to a real object (Wine's ADO) unless the call's script fails
// it. Slots that a test needs to answer itself (to wrap what a call hands out, or for a fake
// without a real object, where any other call fails the test) get C++ handlers. A forwarder
// answers QueryInterface for its interface, IDispatch, IUnknown and ISupportErrorInfo, counts
// its references (testDouble.h) and every call by name ("_Recordset::MoveNext"; asking for
// the interface itself counts as "_Recordset::QueryInterface").
//
//     class Counted : public Forwarder {
//         Counted(ComPtr<IUnknown> real) : Forwarder(kRecordsetCalls, script_, std::move(real), "Counted") {
//             Handle(&_Recordset::get_Fields, &Counted::GetFields);
//         }
//         static HRESULT GetFields(Counted* self, Fields** fields);
//     };

#include <windows.h>
#include <oaidl.h>

#include <cstdint>
#include <map>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "common/comPtr.h"
#include "support/testDouble.h"

constexpr bool WithoutErrorObject = false;

// Source of every error object a failing call sets.
constexpr wchar_t kScriptedErrorSource[] = L"ScriptedADO";

// A fresh error object for the thread, as a failing COM object leaves it.
void SetThreadErrorObject(const wchar_t* source, const wchar_t* description);

// Failures on demand, shared by the doubles of one family (a recordset, its Fields and Field):
// a call named as above can be told to fail with a chosen HRESULT, with or without an error
// object. With one, the failing double answers ISupportErrorInfo for its interface and the
// thread's error object is a fresh one whose description names the call; without one, it answers
// S_FALSE and the thread holds a stale error object that a driver following the rule must not take.
//
//     script.Fail("_Recordset::MoveNext", E_FAIL);                  // with an error object
//     script.Fail("Field::get_Value", 0x800A0BCD, WithoutErrorObject);
//     script.Fail("_Recordset::MoveNext", S_OK);                    // passes again
//     script.FailOnce("Fields::get_Item", E_FAIL, true, 2);         // the third call fails, alone
class CallScript {
public:
    void Fail(const std::string& call, HRESULT result, bool withErrorObject = true) {
        failures_[call] = {result, withErrorObject, 0, false};
    }
    // A passing failure: the call fails once, after it has passed `passing` more times.
    void FailOnce(const std::string& call, HRESULT result, bool withErrorObject, int passing) {
        failures_[call] = {result, withErrorObject, passing, true};
    }
    // Counts the call and answers S_OK, or its failure with the thread's error object set as above.
    HRESULT Answer(const std::string& call);
    // A refusal that the platform itself would give, always with an error object.
    HRESULT Refuse(const std::string& call, HRESULT result, const wchar_t* description);
    int Calls(const std::string& call) const;
    const std::map<std::string, int>& AllCalls() const { return calls_; }
    // For a fake that sets the thread's error object itself: whether it declares so.
    void DeclareErrorObjects(bool declared) { lastWithErrorObject_ = declared; }
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
    bool lastWithErrorObject_ = false;
};

// The vtable slot of a virtual member: GCC's member pointers hold the slot's byte offset plus one.
template <class Member>
int SlotOf(Member member) {
    static_assert(std::is_member_function_pointer_v<Member>);
    struct Representation {
        uintptr_t pointer;
        ptrdiff_t adjustment;
    } representation;
    static_assert(sizeof(Member) == sizeof(Representation));
    __builtin_memcpy(&representation, &member, sizeof(member));
    return static_cast<int>((representation.pointer - 1) / sizeof(void*));
}

// An interface that forwarders present: its name and IID, and the names of the calls that tests
// fail and count.
struct ForwardedInterface {
    const char* name;
    IID iid;
    std::map<int, std::string> calls;  // slot to "Interface::method"
    std::string CallName(int slot) const;
};

#define FORWARDED_CALL(Interface, method) {SlotOf(&Interface::method), #Interface "::" #method}

class Forwarder {
public:
    // real may be null: a fake, whose unhandled calls fail the test.
    Forwarder(const ForwardedInterface& face, CallScript& script, ComPtr<IUnknown> real, const char* owner);
    ~Forwarder();
    Forwarder(const Forwarder&) = delete;
    Forwarder& operator=(const Forwarder&) = delete;

    template <class I>
    I* As() {
        return reinterpret_cast<I*>(this);
    }
    ULONG References() const { return references_.Value(); }
    void LogReleasesTo(std::vector<std::string>& log, std::string name) { references_.LogReleasesTo(log, std::move(name)); }
    CallScript& Script() { return script_; }

    // Called by the vtable's forwarding thunks: S_OK sends the call on, anything else is answered.
    HRESULT Decide(int slot);

protected:
    // Answers the slot of method with handler, whose first argument is the double itself.
    template <class Self, class Interface, class... Arguments>
    void Handle(HRESULT (STDMETHODCALLTYPE Interface::*method)(Arguments...), HRESULT (*handler)(Self*, Arguments...)) {
        static_assert(std::is_base_of_v<Forwarder, Self>);
        slots_[SlotOf(method)] = reinterpret_cast<const void*>(handler);
    }
    template <class Self, class Interface, class... Arguments>
    void Handle(void (STDMETHODCALLTYPE Interface::*method)(Arguments...), void (*handler)(Self*, Arguments...)) {
        static_assert(std::is_base_of_v<Forwarder, Self>);
        slots_[SlotOf(method)] = reinterpret_cast<const void*>(handler);
    }
    // Another interface that QueryInterface hands out: a face whose references are this double's.
    void AddFace(REFIID iid, void* face);
    // Counts the call of a handled slot and answers its scripted failure, if any.
    HRESULT Answer(const char* call) { return script_.Answer(call); }
    IUnknown* Real() const { return real_; }

private:
    static HRESULT STDMETHODCALLTYPE QueryInterface(Forwarder* self, REFIID iid, void** object);
    static ULONG STDMETHODCALLTYPE AddRef(Forwarder* self);
    static ULONG STDMETHODCALLTYPE Release(Forwarder* self);

    // Read by the thunks at fixed offsets: the vtable first, the real object after it.
    const void* const* vtable_;
    IUnknown* real_;
    // The ISupportErrorInfo face, a vtable pointer of its own.
    const void* const* supportVtable_;
    std::vector<const void*> slots_;
    const ForwardedInterface& face_;
    CallScript& script_;
    ComPtr<IUnknown> held_;
    std::vector<std::pair<IID, void*>> faces_;
    ReferenceCount references_;
};
