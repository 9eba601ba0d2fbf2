#pragma once
// The driver's capability answers as the console prints them: what the table is, then a line
// for each identifier saying whether it was answered, with what value and which result code.

#include <string>
#include <vector>

#include "driverSession.h"

std::string CapabilityTable(const std::vector<CapabilityAnswer>& answers);
