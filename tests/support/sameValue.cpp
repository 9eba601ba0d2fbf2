#include "support/sameValue.h"

#include <oleauto.h>

#include <cstring>

namespace {

bool SameBytes(const VARIANT& left, const VARIANT& right) {
    SAFEARRAY* a = left.parray;
    SAFEARRAY* b = right.parray;
    LONG lengthA = a->rgsabound[0].cElements, lengthB = b->rgsabound[0].cElements;
    return lengthA == lengthB && std::memcmp(a->pvData, b->pvData, lengthA) == 0;
}

}  // namespace

bool SameValue(const VARIANT& stored, const VARIANT& expected) {
    if (stored.vt != expected.vt) return false;
    if (expected.vt == VT_EMPTY || expected.vt == VT_NULL) return true;
    if (expected.vt == (VT_ARRAY | VT_UI1)) return SameBytes(stored, expected);
    return VarCmp(const_cast<VARIANT*>(&stored), const_cast<VARIANT*>(&expected), LOCALE_USER_DEFAULT, 0) ==
           VARCMP_EQ;
}
