#pragma once
// Real error objects from OLE Automation, as an ADO object would place them.

#include <windows.h>
#include <oaidl.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include "common/comPtr.h"

// Source and description are set only when given (null leaves them unset).
inline ComPtr<IErrorInfo> MakeErrorObject(const wchar_t* source, const wchar_t* description) {
    ComPtr<ICreateErrorInfo> creator;
    ComPtr<IErrorInfo> errorObject;
    EXPECT_EQ(CreateErrorInfo(creator.ReleaseAndGetAddressOf()), S_OK);
    if (!creator) return errorObject;
    if (source) {
        EXPECT_EQ(creator->SetSource(const_cast<wchar_t*>(source)), S_OK);
    }
    if (description) {
        EXPECT_EQ(creator->SetDescription(const_cast<wchar_t*>(description)), S_OK);
    }
    EXPECT_EQ(creator.As(errorObject), S_OK);
    return errorObject;
}

// The reference count of an object the test does not implement, read through AddRef/Release.
inline ULONG ReferencesOf(IUnknown* object) {
    object->AddRef();
    return object->Release();
}
