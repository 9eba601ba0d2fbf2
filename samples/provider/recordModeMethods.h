#pragma once
// The recordsets of the sample's record-mode methods. Each names a provider of its own, so that
// the driver's lists can pick it out: ZedbSampleHierarchy for OrderTree (hierarchical records),
// ZedbSampleCustomFields for ProductProperties (custom fields). Failures raise ComError.

#include <oaidl.h>

#include "common/comPtr.h"

ComPtr<IDispatch> OrderTreeRecordset();
ComPtr<IDispatch> ProductPropertiesRecordset();
