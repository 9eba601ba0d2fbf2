#pragma once
// The provider check written out: as text for the provider's author (the default), or as one JSON
// object for tools.

#include <cstdio>

#include "providerCheck.h"

void WriteCheckText(const ProviderCheck& check, std::FILE* out);
void WriteCheckJson(const ProviderCheck& check, std::FILE* out);
