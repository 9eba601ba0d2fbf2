#include <cmath>
#include <cstring>
#include <cwchar>
#include <limits>

#include "common/resultCodes.h"
#include "common/conversionRoutines.h"
#include "common/dbvalue.h"

namespace {

constexpr int64_t kCurrencyScale = 10000;
constexpr double kInt64Bound = 9223372036854775808.0;  // 2^63, exact as a double

double ToDouble(const SourceInteger& value) {
    const double magnitude = static_cast<double>(value.magnitude);
    return value.negative ? -magnitude : magnitude;
}

int32_t StoreNumber(double number, void* destination) {
    std::memcpy(destination, &number, sizeof(number));
    return DbSuccess;
}

int32_t StoreCurrency(int64_t tenThousandths, void* destination) {
    std::memcpy(destination, &tenThousandths, sizeof(tenThousandths));
    return DbSuccess;
}

// The whole text must be a number.
bool ParseNumber(const wchar_t* text, double& number) {
    if (!*text) return false;
    wchar_t* end = nullptr;
    number = std::wcstod(text, &end);
    return *end == L'\0';
}

}  // namespace

int32_t ConvertToNumber(const void* source, uint32_t sourceType, void* destination) {
    SourceInteger value{};
    if (ReadCountingSource(source, sourceType, value)) return StoreNumber(ToDouble(value), destination);
    switch (sourceType) {
    case currencyValue:
        return StoreNumber(static_cast<double>(*static_cast<const int64_t*>(source)) / kCurrencyScale, destination);
    case decimalValue: {
        double number = 0.0;
        if (FAILED(VarR8FromDec(AutomationInput(source), &number))) number = 0.0;
        return StoreNumber(number, destination);
    }
    case stringValue:
    case memoValue: {
        double number = 0.0;
        if (!ParseNumber(static_cast<const wchar_t*>(source), number)) return DbNotConvertible;
        return StoreNumber(number, destination);
    }
    default:
        return DbNotConvertible;
    }
}

int32_t ConvertToCurrency(const void* source, uint32_t sourceType, void* destination) {
    SourceInteger value{};
    if (ReadCountingSource(source, sourceType, value)) {
        // A product outside the signed 64-bit range has no currency value.
        const int64_t limit = std::numeric_limits<int64_t>::max() / kCurrencyScale;
        if (!value.IsWithin(-limit, static_cast<uint64_t>(limit))) return DbNotConvertible;
        return StoreCurrency(value.Bits() * kCurrencyScale, destination);
    }
    switch (sourceType) {
    case numberValue: {
        const double rounded = std::floor(*static_cast<const double*>(source) * kCurrencyScale + 0.5);
        if (!(rounded >= -kInt64Bound && rounded < kInt64Bound)) return DbNotConvertible;
        return StoreCurrency(static_cast<int64_t>(rounded), destination);
    }
    case stringValue:
    case memoValue: {
        // Text that is no amount reads as 0; an amount too large for currency is refused.
        CY currency{};
        const HRESULT result = VarCyFromStr(AutomationText(source), 0, 0, &currency);
        if (result == DISP_E_OVERFLOW) return DbNotConvertible;
        return StoreCurrency(SUCCEEDED(result) ? currency.int64 : 0, destination);
    }
    case decimalValue: {
        CY currency{};
        if (FAILED(VarCyFromDec(AutomationInput(source), &currency))) return DbNotConvertible;
        return StoreCurrency(currency.int64, destination);
    }
    default:
        return DbNotConvertible;
    }
}
