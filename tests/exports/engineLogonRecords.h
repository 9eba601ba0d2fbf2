#pragma once
// The logon records as the engine lays them out and builds them, independent of the driver's
// own definitions: the engine builds its input records itself and reads the driver's output.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <initializer_list>
#include <vector>

struct EngineValue {
    uint32_t size;
    uint32_t kind;
    uint32_t valueType;
    const void* data;
};

struct EngineCollection;

struct EngineProperty {
    uint32_t size;
    const wchar_t* name;
    const wchar_t* displayName;
    const wchar_t* description;
    uint32_t valueType;
    EngineValue* value;
    uint32_t flags;
    EngineCollection* children;
};

struct EngineCollection {
    uint32_t size;
    uint32_t count;
    EngineProperty** items;
};

struct EngineLogonInfo {
    EngineCollection* properties;
    wchar_t* text;
    EngineValue* value;
    uint32_t reserved;
    uint32_t size;
    uint16_t ownsText;
};

static_assert(sizeof(EngineValue) == 24 && offsetof(EngineValue, data) == 16);
static_assert(sizeof(EngineProperty) == 64 && offsetof(EngineProperty, valueType) == 32 &&
              offsetof(EngineProperty, value) == 40 && offsetof(EngineProperty, flags) == 48 &&
              offsetof(EngineProperty, children) == 56);
static_assert(sizeof(EngineCollection) == 16 && offsetof(EngineCollection, items) == 8);
static_assert(sizeof(EngineLogonInfo) == 40 && offsetof(EngineLogonInfo, size) == 28 &&
              offsetof(EngineLogonInfo, ownsText) == 32);

// Owns the records of one or more engine-built logon records; texts must outlive it.
class EngineLogonBuilder {
public:
    // A string property; a null text gives an empty value.
    EngineProperty* Text(const wchar_t* name, const wchar_t* text) {
        EngineValue* value = &values_.emplace_back(EngineValue{24, text ? 1u : 0u, 11, text});
        return &properties_.emplace_back(EngineProperty{64, name, nullptr, nullptr, 11, value, 0, nullptr});
    }

    // A property without value; without children it has no children collection.
    EngineProperty* Group(const wchar_t* name, std::initializer_list<EngineProperty*> children) {
        EngineValue* value = &values_.emplace_back(EngineValue{24, 0, 255, nullptr});
        EngineCollection* collection = children.size() ? Collection(children) : nullptr;
        return &properties_.emplace_back(EngineProperty{64, name, nullptr, nullptr, 255, value, 0, collection});
    }

    // A dialog tab whose fields are the given properties.
    EngineProperty* Tab(std::initializer_list<EngineProperty*> fields) {
        return Group(L"Connection", {Group(L"PropInfo_Tab", {}), Group(L"PropInfo_TabProperties", fields)});
    }

    EngineLogonInfo* Logon(std::initializer_list<EngineProperty*> properties) {
        return &logons_.emplace_back(EngineLogonInfo{Collection(properties), nullptr, nullptr, 0, 40, 1});
    }

    EngineLogonInfo* LogonWithoutCollection() {
        return &logons_.emplace_back(EngineLogonInfo{nullptr, nullptr, nullptr, 0, 40, 1});
    }

private:
    EngineCollection* Collection(std::initializer_list<EngineProperty*> items) {
        std::vector<EngineProperty*>& array = arrays_.emplace_back(items);
        return &collections_.emplace_back(
            EngineCollection{16, static_cast<uint32_t>(array.size()), array.empty() ? nullptr : array.data()});
    }

    std::deque<EngineValue> values_;
    std::deque<EngineProperty> properties_;
    std::deque<std::vector<EngineProperty*>> arrays_;
    std::deque<EngineCollection> collections_;
    std::deque<EngineLogonInfo> logons_;
};
