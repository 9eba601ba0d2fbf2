#include "common/valueData.h"

#include <unknwn.h>

#include <cstdlib>
#include <cstring>
#include <new>

#include "common/dbvalue.h"
#include "common/duplicateText.h"
#include "platform/dbAssert.h"

// Assertions report under the module name the logs know this code by.
#undef DB_ASSERT_SOURCE
#define DB_ASSERT_SOURCE "dbdllcommon"

namespace {

// GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE
constexpr UINT kGlobalBlockFlags = 0x2042;

void* AllocateData(size_t bytes) {
    void* data = std::malloc(bytes);
    if (!data) throw std::bad_alloc();
    return data;
}

// The cell of an interfaceValue owns one reference to the interface it holds.
void AddInterfaceReference(const void* cell) {
    if (IUnknown* object = *static_cast<IUnknown* const*>(cell)) object->AddRef();
}

void ReleaseInterfaceReference(void* cell) {
    if (IUnknown* object = *static_cast<IUnknown**>(cell)) object->Release();
}

// Fixed-size data that is copied byte for byte: every fixed-size type but the interface pointer.
bool IsPlainDatum(uint32_t valueType) {
    switch (valueType) {
    case int8sValue:
    case int8uValue:
    case int16sValue:
    case int16uValue:
    case int32sValue:
    case int32uValue:
    case numberValue:
    case currencyValue:
    case booleanValue:
    case dateValue:
    case timeValue:
    case dateTimeValue:
    case decimalValue:
    case int64sValue:
    case int64uValue:
    case opaque64Value:
        return true;
    default:
        return false;
    }
}

}  // namespace

uint32_t ValueSize(uint32_t valueType) {
    switch (valueType) {
    case int8sValue:
    case int8uValue:
        return 1;
    case int16sValue:
    case int16uValue:
    case booleanValue:
        return 2;
    case int32sValue:
    case int32uValue:
        return 4;
    case numberValue:
    case currencyValue:
    case blobValue:
    case int64sValue:
    case int64uValue:
    case opaque64Value:
    case interfaceValue:
        return 8;
    case dateValue:
    case timeValue:
    case dateTimeValue:
        return sizeof(DbDateTime);
    case decimalValue:
        return sizeof(DECIMAL);
    default:
        DB_ASSERT_TEXT(false, "false");
        return 0;
    }
}

bool IsFixedSizeValue(uint32_t valueType) {
    if (IsPlainDatum(valueType)) return true;
    switch (valueType) {
    case stringValue:
    case memoValue:
    case blobValue:
        return false;
    case interfaceValue:
    case noValueType:
        return true;
    default:
        DB_ASSERT_TEXT(false, "FALSE");
        return true;
    }
}

void* DuplicateValueData(const void* data, uint32_t valueType) {
    if (!data) return nullptr;
    if (IsPlainDatum(valueType)) {
        uint32_t bytes = ValueSize(valueType);
        void* copy = AllocateData(bytes);
        std::memcpy(copy, data, bytes);
        return copy;
    }
    switch (valueType) {
    case stringValue:
    case memoValue:
        return DuplicateText(static_cast<const wchar_t*>(data));
    case blobValue: {
        auto* cell = static_cast<HGLOBAL*>(AllocateData(sizeof(HGLOBAL)));
        *cell = DuplicateGlobalMemory(*static_cast<const HGLOBAL*>(data));
        return cell;
    }
    case interfaceValue: {
        void* cell = AllocateData(sizeof(IUnknown*));
        std::memcpy(cell, data, sizeof(IUnknown*));
        AddInterfaceReference(cell);
        return cell;
    }
    default:
        DB_ASSERT_TEXT(false, "false");
        return nullptr;
    }
}

void CopyValueData(const void* data, void* destination, size_t destinationSize, uint32_t valueType) {
    if (!data || !destination) {
        DB_ASSERT_TEXT(false, "false");
        return;
    }
    if (IsPlainDatum(valueType)) {
        std::memcpy(destination, data, ValueSize(valueType));
        return;
    }
    switch (valueType) {
    case stringValue:
    case memoValue: {
        size_t capacity = destinationSize / sizeof(wchar_t);
        if (capacity == 0) return;
        auto* text = static_cast<wchar_t*>(destination);
        const auto* source = static_cast<const wchar_t*>(data);
        size_t length = 0;
        while (length + 1 < capacity && source[length]) ++length;
        std::memcpy(text, source, length * sizeof(wchar_t));
        text[length] = L'\0';
        return;
    }
    case blobValue:
        *static_cast<HGLOBAL*>(destination) = DuplicateGlobalMemory(*static_cast<const HGLOBAL*>(data));
        return;
    case interfaceValue:
        std::memcpy(destination, data, sizeof(IUnknown*));
        AddInterfaceReference(destination);
        return;
    default:
        DB_ASSERT_TEXT(false, "false");
        return;
    }
}

void FreeValueData(void* data, uint32_t valueType) {
    if (!data) return;
    switch (valueType) {
    case blobValue:
        if (HGLOBAL block = *static_cast<HGLOBAL*>(data)) GlobalFree(block);
        break;
    case interfaceValue:
        ReleaseInterfaceReference(data);
        break;
    case opaque64Value:
        // Such data is not expected here; it is freed all the same.
        DB_ASSERT_TEXT(false, "false");
        break;
    case int8sValue:
    case int8uValue:
    case int16sValue:
    case int16uValue:
    case int32sValue:
    case int32uValue:
    case numberValue:
    case currencyValue:
    case booleanValue:
    case dateValue:
    case timeValue:
    case stringValue:
    case memoValue:
    case dateTimeValue:
    case decimalValue:
    case int64sValue:
    case int64uValue:
        break;
    default:
        // Memory of an unknown form is left alone rather than freed the wrong way.
        DB_ASSERT_TEXT(false, "false");
        return;
    }
    std::free(data);
}

HGLOBAL DuplicateGlobalMemory(HGLOBAL source) {
    if (!source) return nullptr;
    const void* sourceBytes = GlobalLock(source);
    if (!sourceBytes) return nullptr;
    HGLOBAL copy = nullptr;
    if (SIZE_T size = GlobalSize(source)) {
        copy = GlobalAlloc(kGlobalBlockFlags, size);
        if (copy) {
            void* copyBytes = GlobalLock(copy);
            if (copyBytes) {
                std::memcpy(copyBytes, sourceBytes, size);
                GlobalUnlock(copy);
            } else {
                GlobalFree(copy);
                copy = nullptr;
            }
        }
    }
    GlobalUnlock(source);
    return copy;
}
