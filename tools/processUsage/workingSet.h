#pragma once
// The process's working set, in mebibytes.

double WorkingSetMiB();
