#include "recordModeMethods.h"

#include "orderTree.h"
#include "productProperties.h"
#include "recordModeRecordset.h"

ComPtr<IDispatch> OrderTreeRecordset() { return RecordModeRecordset::Create(L"ZedbSampleHierarchy", OrderTree()); }

ComPtr<IDispatch> ProductPropertiesRecordset() {
    return RecordModeRecordset::Create(L"ZedbSampleCustomFields", ProductProperties());
}
