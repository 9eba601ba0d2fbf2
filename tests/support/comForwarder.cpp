#include "support/comForwarder.h"

#include <oleauto.h>

#include <cstddef>

namespace {

constexpr int kSlots = 128;

}  // namespace

void SetThreadErrorObject(const wchar_t* source, const wchar_t* description) {
    ComPtr<ICreateErrorInfo> creator;
    if (FAILED(CreateErrorInfo(creator.ReleaseAndGetAddressOf()))) return;
    creator->SetSource(const_cast<LPOLESTR>(source));
    creator->SetDescription(const_cast<LPOLESTR>(description));
    ComPtr<IErrorInfo> errorInfo;
    if (SUCCEEDED(creator.As(errorInfo))) SetErrorInfo(0, errorInfo.Get());
}

HRESULT CallScript::Answer(const std::string& call) {
    ++calls_[call];
    auto failure = failures_.find(call);
    if (failure == failures_.end() || SUCCEEDED(failure->second.result)) return S_OK;
    if (failure->second.passing > 0) {
        --failure->second.passing;
        return S_OK;
    }
    const Failure failing = failure->second;
    if (failing.once) failures_.erase(failure);
    lastWithErrorObject_ = failing.withErrorObject;
    const std::wstring description(call.begin(), call.end());
    SetThreadErrorObject(kScriptedErrorSource,
                         lastWithErrorObject_ ? (description + L" failed on purpose").c_str() : L"stale error object");
    return failing.result;
}

HRESULT CallScript::Refuse(const std::string& call, HRESULT result, const wchar_t* description) {
    ++calls_[call];
    lastWithErrorObject_ = true;
    SetThreadErrorObject(kScriptedErrorSource, description);
    return result;
}

int CallScript::Calls(const std::string& call) const {
    auto found = calls_.find(call);
    return found == calls_.end() ? 0 : found->second;
}

std::string ForwardedInterface::CallName(int slot) const {
    auto found = calls.find(slot);
    return found != calls.end() ? found->second : std::string(name) + "#" + std::to_string(slot);
}

// Slot n of every forwarder's vtable is forwarderThunks[n]: it asks ForwarderDecide with the
// caller's registers saved, then either jumps to slot n of the real object's vtable with the
// real object as this and every argument as the caller left it, or returns the answer.
extern "C" const void* const forwarderThunks[kSlots];
extern "C" HRESULT ForwarderDecide(Forwarder* self, long long slot) { return self->Decide(static_cast<int>(slot)); }

asm(R"(
    .text
forwarderDispatch:
    pushq %rcx
    pushq %rdx
    pushq %r8
    pushq %r9
    pushq %r11
    subq $0x40, %rsp
    movsd %xmm1, 0x20(%rsp)
    movsd %xmm2, 0x28(%rsp)
    movsd %xmm3, 0x30(%rsp)
    movq %r11, %rdx
    call ForwarderDecide
    movsd 0x20(%rsp), %xmm1
    movsd 0x28(%rsp), %xmm2
    movsd 0x30(%rsp), %xmm3
    addq $0x40, %rsp
    popq %r11
    popq %r9
    popq %r8
    popq %rdx
    popq %rcx
    testl %eax, %eax
    jne 1f
    movq 8(%rcx), %rcx
    movq (%rcx), %rax
    jmp *(%rax,%r11,8)
1:
    ret

    .altmacro
    .macro forwarderThunk n
forwarderThunk\n:
    movl $\n, %r11d
    jmp forwarderDispatch
    .endm
    .macro forwarderThunkAddress n
    .quad forwarderThunk\n
    .endm
    .set slot, 0
    .rept 128
    forwarderThunk %slot
    .set slot, slot + 1
    .endr

    .section .rdata,"dr"
    .globl forwarderThunks
    .p2align 3
forwarderThunks:
    .set slot, 0
    .rept 128
    forwarderThunkAddress %slot
    .set slot, slot + 1
    .endr
    .noaltmacro
    .text
)");

namespace {

// The ISupportErrorInfo face sits right after the real object's pointer in every forwarder.
constexpr ptrdiff_t kSupportFaceOffset = 2 * sizeof(void*);

Forwarder* OwnerOf(void* supportFace) {
    return reinterpret_cast<Forwarder*>(static_cast<char*>(supportFace) - kSupportFaceOffset);
}

HRESULT STDMETHODCALLTYPE SupportQueryInterface(void* face, REFIID iid, void** object) {
    return reinterpret_cast<IUnknown*>(OwnerOf(face))->QueryInterface(iid, object);
}
ULONG STDMETHODCALLTYPE SupportAddRef(void* face) { return reinterpret_cast<IUnknown*>(OwnerOf(face))->AddRef(); }
ULONG STDMETHODCALLTYPE SupportRelease(void* face) { return reinterpret_cast<IUnknown*>(OwnerOf(face))->Release(); }

}  // namespace

Forwarder::Forwarder(const ForwardedInterface& face, CallScript& script, ComPtr<IUnknown> real, const char* owner)
    : vtable_(nullptr),
      real_(real.Get()),
      supportVtable_(nullptr),
      slots_(forwarderThunks, forwarderThunks + kSlots),
      face_(face),
      script_(script),
      held_(std::move(real)),
      references_(owner) {
    static_assert(sizeof(void*) == 8, "the thunks are written for x64");
    slots_[0] = reinterpret_cast<const void*>(&Forwarder::QueryInterface);
    slots_[1] = reinterpret_cast<const void*>(&Forwarder::AddRef);
    slots_[2] = reinterpret_cast<const void*>(&Forwarder::Release);
    vtable_ = slots_.data();
    static const void* const supportSlots[] = {
        reinterpret_cast<const void*>(&SupportQueryInterface), reinterpret_cast<const void*>(&SupportAddRef),
        reinterpret_cast<const void*>(&SupportRelease),
        reinterpret_cast<const void*>(+[](void* face, REFIID iid) -> HRESULT {
            Forwarder* self = OwnerOf(face);
            return iid == self->face_.iid ? self->script_.SupportsErrorInfo() : S_FALSE;
        })};
    supportVtable_ = supportSlots;
}

Forwarder::~Forwarder() = default;

HRESULT Forwarder::Decide(int slot) {
    const std::string call = face_.CallName(slot);
    if (!real_) return UnexpectedCall(call.c_str());
    return script_.Answer(call);
}

void Forwarder::AddFace(REFIID iid, void* face) { faces_.push_back({iid, face}); }

HRESULT STDMETHODCALLTYPE Forwarder::QueryInterface(Forwarder* self, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid == self->face_.iid) {
        if (HRESULT failure = self->script_.Answer(std::string(self->face_.name) + "::QueryInterface")) return failure;
        *object = self;
    } else if (iid == IID_IUnknown || iid == IID_IDispatch) {
        *object = self;
    } else if (iid == IID_ISupportErrorInfo) {
        *object = &self->supportVtable_;
    } else {
        for (const auto& [faceIid, face] : self->faces_)
            if (iid == faceIid) *object = face;
        if (!*object) return E_NOINTERFACE;
    }
    AddRef(self);
    return S_OK;
}

ULONG STDMETHODCALLTYPE Forwarder::AddRef(Forwarder* self) { return self->references_.Add(); }

ULONG STDMETHODCALLTYPE Forwarder::Release(Forwarder* self) { return self->references_.Release(); }
