#pragma once
// A program run to its end from the test's directory, as a user runs it from a shell: its exit
// code and everything it wrote to standard output and standard error.

#include <string>

struct ProcessRun {
    unsigned long exitCode = ~0ul;
    std::string out;  // bytes as written
    std::string err;
};

// commandLine: the program and its arguments, quoted as CreateProcess expects.
ProcessRun RunProcess(const std::wstring& commandLine);
