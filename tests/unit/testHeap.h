#pragma once
// The unit tests replace the global operator new and delete: a test can make one allocation of
// its own thread fail, as memory exhaustion would, and freed blocks are overwritten so that a use
// after free reads garbage instead of the old contents.

// The allocation after the next `allocations` ones throws std::bad_alloc; later ones succeed.
void FailAllocationAfter(int allocations);
// True once the armed failure has been thrown; disarms it when it has not.
bool DisarmAllocationFailure();
