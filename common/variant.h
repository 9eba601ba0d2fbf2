#pragma once
// An owning VARIANT: cleared with VariantClear when it goes, cleared before reuse as an
// out-parameter, copied with VariantCopy.

#include <windows.h>
#include <oleauto.h>

#include <cstring>

#include "common/comError.h"

class Variant {
public:
    Variant() noexcept { VariantInit(&value_); }
    // A deep copy of source; a failed copy raises its HRESULT.
    explicit Variant(const VARIANT& source) : Variant() {
        // VariantCopy only reads its source; the header merely lacks the const.
        CheckCom(VariantCopy(&value_, const_cast<VARIANT*>(&source)));
    }
    Variant(const Variant& other) : Variant(other.value_) {}
    Variant(Variant&& other) noexcept {
        std::memcpy(&value_, &other.value_, sizeof(VARIANT));
        VariantInit(&other.value_);
    }
    ~Variant() { VariantClear(&value_); }

    Variant& operator=(Variant other) noexcept {
        VARIANT held;
        std::memcpy(&held, &value_, sizeof(VARIANT));
        std::memcpy(&value_, &other.value_, sizeof(VARIANT));
        std::memcpy(&other.value_, &held, sizeof(VARIANT));
        return *this;
    }

    VARIANT* Get() noexcept { return &value_; }
    const VARIANT* Get() const noexcept { return &value_; }

    void Reset() noexcept { VariantClear(&value_); }

    // For out-parameters: the old value is cleared first.
    VARIANT* ReleaseAndGetAddressOf() noexcept {
        Reset();
        return &value_;
    }

    // Moves the value into a VARIANT that the caller owns and that holds nothing; this one is left empty.
    void Detach(VARIANT* target) noexcept {
        std::memcpy(target, &value_, sizeof(VARIANT));
        VariantInit(&value_);
    }

private:
    VARIANT value_;
};

// An optional argument left out, as IDispatch::Invoke and ADO's optional parameters expect it.
inline void MarkArgumentMissing(VARIANT& argument) noexcept {
    VariantClear(&argument);
    argument.vt = VT_ERROR;
    argument.scode = DISP_E_PARAMNOTFOUND;
}
