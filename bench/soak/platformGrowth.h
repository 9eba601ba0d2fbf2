#pragma once
// What the platform itself keeps for a cycle of the sample provider, measured without the
// driver: the provider created and its Orders method invoked twice, as the driver invokes it
// for a cycle's fields and for its query. Wine's ADO keeps working set for every recordset it
// makes (about 160 bytes; creating and releasing recordsets alone grows it linearly), which the
// soak does not blame the driver for.

// Bytes of working set a cycle, over the given cycles after a fifth as many to warm up.
double SampleProviderGrowthPerCycle(int cycles);
