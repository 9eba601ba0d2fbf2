#pragma once
// The field and parameter description records that cross the engine boundary (also the data of
// a DbValue of kind fieldDescriptionKind or parameterDescriptionKind). Fields whose meaning
// belongs to the engine are named by their offset; the driver only carries them.

#include <cstddef>
#include <cstdint>

struct DbValue;

struct DbFieldDescription {
    uint64_t fieldAt0;
    wchar_t* name;         // owned
    wchar_t* textAt16;     // owned
    wchar_t* description;  // owned
    wchar_t* textAt32;     // owned
    uint32_t fieldAt40;    // 1 by construction
    uint32_t fieldAt44;
    uint32_t valueType;    // noValueType by construction
    uint32_t length;
    uint32_t size;         // 72
    uint32_t typeOptions;
    uint32_t fieldAt64;
    uint32_t fieldAt68;

    DbFieldDescription();
    ~DbFieldDescription();
    DbFieldDescription(const DbFieldDescription&) = delete;
    DbFieldDescription& operator=(const DbFieldDescription&) = delete;
};
static_assert(sizeof(DbFieldDescription) == 72, "DbFieldDescription layout");
static_assert(offsetof(DbFieldDescription, fieldAt0) == 0, "DbFieldDescription layout");
static_assert(offsetof(DbFieldDescription, name) == 8, "DbFieldDescription layout");
static_assert(offsetof(DbFieldDescription, textAt16) == 16, "DbFieldDescription layout");
static_assert(offsetof(DbFieldDescription, description) == 24, "DbFieldDescription layout");
static_assert(offsetof(DbFieldDescription, textAt32) == 32, "DbFieldDescription layout");
static_assert(offsetof(DbFieldDescription, fieldAt40) == 40, "DbFieldDescription layout");
static_assert(offsetof(DbFieldDescription, fieldAt44) == 44, "DbFieldDescription layout");
static_assert(offsetof(DbFieldDescription, valueType) == 48, "DbFieldDescription layout");
static_assert(offsetof(DbFieldDescription, length) == 52, "DbFieldDescription layout");
static_assert(offsetof(DbFieldDescription, size) == 56, "DbFieldDescription layout");
static_assert(offsetof(DbFieldDescription, typeOptions) == 60, "DbFieldDescription layout");
static_assert(offsetof(DbFieldDescription, fieldAt64) == 64, "DbFieldDescription layout");
static_assert(offsetof(DbFieldDescription, fieldAt68) == 68, "DbFieldDescription layout");

// The engine's 32-byte string slot: a plain heap text, since library string classes differ in size.
struct DbOwnedText {
    DbOwnedText();  // the empty text
    ~DbOwnedText();
    DbOwnedText(const DbOwnedText&) = delete;
    DbOwnedText& operator=(const DbOwnedText&) = delete;

    void Assign(const wchar_t* text);  // null gives the empty text
    const wchar_t* c_str() const { return text_; }

private:
    wchar_t* text_;
    uint8_t unused_[24];
};
static_assert(sizeof(DbOwnedText) == 32, "DbOwnedText layout");

struct DbParameterDescription {
    wchar_t* name;           // owned
    wchar_t* secondName;     // owned
    DbValue* currentValue;   // owned, may be null
    DbValue* secondValue;    // owned, may be null
    uint32_t fieldAt32;
    uint32_t valueType;      // noValueType by construction
    uint32_t length;
    uint32_t typeOptions;
    uint32_t fieldAt48;
    uint32_t size;           // 120
    uint16_t wordsAt56[10];  // at 56, 58, ... 74; the last is 1 by construction
    DbOwnedText textAt80;
    uint64_t fieldAt112;

    DbParameterDescription();
    ~DbParameterDescription();
    DbParameterDescription(const DbParameterDescription&) = delete;
    DbParameterDescription& operator=(const DbParameterDescription&) = delete;
};
static_assert(sizeof(DbParameterDescription) == 120, "DbParameterDescription layout");
static_assert(offsetof(DbParameterDescription, name) == 0, "DbParameterDescription layout");
static_assert(offsetof(DbParameterDescription, secondName) == 8, "DbParameterDescription layout");
static_assert(offsetof(DbParameterDescription, currentValue) == 16, "DbParameterDescription layout");
static_assert(offsetof(DbParameterDescription, secondValue) == 24, "DbParameterDescription layout");
static_assert(offsetof(DbParameterDescription, fieldAt32) == 32, "DbParameterDescription layout");
static_assert(offsetof(DbParameterDescription, valueType) == 36, "DbParameterDescription layout");
static_assert(offsetof(DbParameterDescription, length) == 40, "DbParameterDescription layout");
static_assert(offsetof(DbParameterDescription, typeOptions) == 44, "DbParameterDescription layout");
static_assert(offsetof(DbParameterDescription, fieldAt48) == 48, "DbParameterDescription layout");
static_assert(offsetof(DbParameterDescription, size) == 52, "DbParameterDescription layout");
static_assert(offsetof(DbParameterDescription, wordsAt56) == 56, "DbParameterDescription layout");
static_assert(offsetof(DbParameterDescription, textAt80) == 80, "DbParameterDescription layout");
static_assert(offsetof(DbParameterDescription, fieldAt112) == 112, "DbParameterDescription layout");

// New heap records (NewRecord/DeleteRecord, common/heapRecord.h) copied from a source that may be
// null (the copy then keeps its defaults) and that is read only as far as its declared size.
// Throws std::bad_alloc after freeing the half-built copy.
DbFieldDescription* DuplicateFieldDescription(const DbFieldDescription* source);
DbParameterDescription* DuplicateParameterDescription(const DbParameterDescription* source);
