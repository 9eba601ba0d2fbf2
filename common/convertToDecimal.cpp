#include <cstring>

#include "common/resultCodes.h"
#include "common/conversionRoutines.h"
#include "common/dbvalue.h"

namespace {

constexpr BYTE kCurrencyScale = 4;

// A zero DECIMAL that carries its automation type in the reserved word, as a VARIANT would.
DECIMAL ZeroDecimal() {
    DECIMAL value;
    std::memset(&value, 0, sizeof(value));
    value.wReserved = VT_DECIMAL;
    return value;
}

void SetInteger(DECIMAL& value, const SourceInteger& integer) {
    value.Lo64 = integer.magnitude;
    value.sign = integer.negative ? DECIMAL_NEG : 0;
}

}  // namespace

int32_t ConvertToDecimal(const void* source, uint32_t sourceType, void* destination) {
    DECIMAL result = ZeroDecimal();
    SourceInteger integer{};
    if (ReadCountingSource(source, sourceType, integer)) {
        SetInteger(result, integer);
    } else {
        switch (sourceType) {
        case currencyValue:
            SetInteger(result, SourceInteger::FromSigned(*static_cast<const int64_t*>(source)));
            result.scale = kCurrencyScale;
            break;
        case numberValue:
            // NaN, infinities and magnitudes beyond a DECIMAL's have no DECIMAL.
            if (FAILED(VarDecFromR8(*static_cast<const double*>(source), &result))) return DbNotConvertible;
            result.wReserved = VT_DECIMAL;
            break;
        case stringValue:
        case memoValue: {
            // Text that is no number reads as 0; a number too large for a DECIMAL is refused.
            const HRESULT parsed = VarDecFromStr(AutomationText(source), 0, 0, &result);
            if (parsed == DISP_E_OVERFLOW) return DbNotConvertible;
            if (FAILED(parsed)) result = ZeroDecimal();
            result.wReserved = VT_DECIMAL;
            break;
        }
        default:
            return DbNotConvertible;
        }
    }
    std::memcpy(destination, &result, sizeof(result));
    return DbSuccess;
}
