#pragma once
// Two server handles on two threads, each thread in an apartment of its own, running reports
// of the sample provider at the same time: each thread logs on once and runs its own report
// the given number of times, checking every one. Prints each thread's figures; true when every
// report read what it should and the growth stayed within bounds. platformBytesPerReport is the
// working set the platform itself keeps for one report (resourceSampler.h).

#include "driverLibrary.h"

bool RunThreadedReports(const DriverLibrary& driver, int reports, double platformBytesPerReport);
