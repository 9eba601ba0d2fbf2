#pragma once
// Whether a value read back is the value expected: the same automation type and an equal value
// (byte arrays byte for byte; empty and null by type alone).

#include <windows.h>
#include <oaidl.h>

bool SameValue(const VARIANT& stored, const VARIANT& expected);
