#pragma once
// The console's commands, each a small function over a driver session, and the one list of them
// from which the command line is built.

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

#include "driverSession.h"

// What the command line gave: the console's own options, then the command's.
struct Options {
    std::string driverPath = "zedb_com.dll";
    std::string language;
    std::string programId = "ZedbSample.Provider";
    bool trace = false;
    std::string traceFile;  // empty: standard error
    std::string table;
    std::vector<std::string> parameters;
    std::string format = "table";
    long long limit = -1;
    bool call = false;
};

struct ConsoleCommand {
    const char* name;
    const char* summary;
    const char* example;  // a whole command line, shown in the command's help
    void (*addArguments)(CLI::App& command, Options& options);
    int (*run)(DriverSession& session, const Options& options);  // the exit code
};

const std::vector<ConsoleCommand>& ConsoleCommands();
