// Owning wrappers: a reused out-parameter releases what it held; a move hands over without
// adding or dropping a reference.

#include <gtest/gtest.h>

#include "common/bstr.h"
#include "common/comPtr.h"
#include "common/variant.h"
#include "errorSourceFake.h"

namespace {

TEST(ComPtrOwnership, ReuseAsOutParameterReleasesTheOldObject) {
    ErrorSourceFake first(false, S_OK);
    ErrorSourceFake second(false, S_OK);
    ComPtr<IUnknown> held(static_cast<IUnknown*>(first.Probe()));
    EXPECT_EQ(first.References(), 2u);
    EXPECT_EQ(second.Probe()->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(held.ReleaseAndGetAddressOf())),
              S_OK);
    EXPECT_EQ(first.References(), 1u);
    EXPECT_EQ(second.References(), 2u);
}

TEST(ComPtrOwnership, CopyAddsAReferenceAndMoveHandsItOver) {
    ErrorSourceFake fake(false, S_OK);
    ComPtr<IErrorSourceProbe> original(fake.Probe());
    ComPtr<IErrorSourceProbe> copy = original;
    EXPECT_EQ(fake.References(), 3u);
    ComPtr<IUnknown> moved = std::move(copy);
    EXPECT_EQ(copy.Get(), nullptr);
    EXPECT_EQ(fake.References(), 3u);
    moved = original;  // the same object again: one reference each
    EXPECT_EQ(fake.References(), 3u);
    moved.Reset();
    EXPECT_EQ(fake.References(), 2u);
}

TEST(ComPtrOwnership, AFailedQueryReleasesTheOldTargetAndLeavesItEmpty) {
    ErrorSourceFake supporting(true, S_OK);
    ErrorSourceFake fake(false, S_OK);
    ComPtr<IErrorSourceProbe> probe(fake.Probe());
    ComPtr<ISupportErrorInfo> support;
    EXPECT_EQ(ComPtr<IErrorSourceProbe>(supporting.Probe()).As(support), S_OK);
    EXPECT_EQ(supporting.References(), 2u);
    EXPECT_EQ(probe.As(support), E_NOINTERFACE);
    EXPECT_EQ(support.Get(), nullptr);
    EXPECT_EQ(supporting.References(), 1u);
    EXPECT_EQ(fake.References(), 2u);
    ComPtr<IErrorSourceProbe> none;
    EXPECT_EQ(none.As(support), E_POINTER);
}

TEST(BstrOwnership, CopiesKeepEmbeddedZerosAndNullStaysNull) {
    Bstr withZero;
    *withZero.ReleaseAndGetAddressOf() = SysAllocStringLen(L"a\0b", 3);
    Bstr copy = withZero;
    ASSERT_EQ(copy.Length(), 3u);
    EXPECT_NE(copy.Get(), withZero.Get());
    EXPECT_EQ(std::wmemcmp(copy.Get(), L"a\0b", 3), 0);
    Bstr none(nullptr);
    EXPECT_EQ(none.Get(), nullptr);
    EXPECT_STREQ(none.Text(), L"");
    Bstr moved = std::move(copy);
    EXPECT_EQ(copy.Get(), nullptr);
    EXPECT_EQ(moved.Length(), 3u);
}

TEST(VariantOwnership, HeldInterfacesAreCountedThroughCopyMoveReuseAndDetach) {
    ErrorSourceFake fake(false, S_OK);
    Variant value;
    value.Get()->vt = VT_UNKNOWN;
    value.Get()->punkVal = fake.Probe();
    fake.AddRef();
    Variant copy = value;
    EXPECT_EQ(fake.References(), 3u);
    Variant moved = std::move(copy);
    EXPECT_EQ(copy.Get()->vt, VT_EMPTY);
    EXPECT_EQ(fake.References(), 3u);
    VariantInit(moved.ReleaseAndGetAddressOf());
    EXPECT_EQ(fake.References(), 2u);
    VARIANT handedOut;
    value.Detach(&handedOut);
    EXPECT_EQ(value.Get()->vt, VT_EMPTY);
    EXPECT_EQ(handedOut.vt, VT_UNKNOWN);
    EXPECT_EQ(fake.References(), 2u);
    Variant taken(handedOut);  // a copy: the caller still owns handedOut
    EXPECT_EQ(fake.References(), 3u);
    VariantClear(&handedOut);
    EXPECT_EQ(fake.References(), 2u);
}

}  // namespace
