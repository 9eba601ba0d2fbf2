#pragma once
// Real error objects from OLE Automation, as an ADO object would place them.

#include <oleauto.h>

#include <gtest/gtest.h>

#include "common/comPtr.h"

// Source and description are set only when given (null leaves them unset).
inline ComPtr<IErrorInfo> MakeErrorObject(const wchar_t* source, const wchar_t* description) {
    ComPtr<ICreateErrorInfo> creator;
    ComPtr<IErrorInfo> errorObject;
    if (CreateErrorInfo(creator.ReleaseAndGetAddressOf()) != S_OK) return errorObject;
    if (source) creator->SetSource(const_cast<wchar_t*>(source));
    if (description) creator->SetDescription(const_cast<wchar_t*>(description));
    EXPECT_EQ(creator.As(errorObject), S_OK);
    return errorObject;
}

