#pragma once
// A COM data provider for the query benchmark, made creatable in this process only: its one
// method, Lines, hands back the same recordset on every call, so that a query costs what the
// driver and ADO cost and not what building a recordset costs. The driver logs on to it by the
// class identifier that Register returns.

#include <memory>
#include <string>

#include "ado/adoInterfaces.h"
#include "common/comPtr.h"

class RepeatingProvider {
public:
    explicit RepeatingProvider(ComPtr<_Recordset> recordset);
    ~RepeatingProvider();
    RepeatingProvider(const RepeatingProvider&) = delete;
    RepeatingProvider& operator=(const RepeatingProvider&) = delete;

    // The class identifier in braces, for DbLogonServer.
    const std::wstring& ClassId() const { return classId_; }
    // The provider object, as an automation client reaches it.
    ComPtr<IDispatch> Create() const;

private:
    class Object;
    class Factory;
    std::unique_ptr<Object> object_;
    std::unique_ptr<Factory> factory_;
    DWORD registration_ = 0;
    std::wstring classId_;
};
