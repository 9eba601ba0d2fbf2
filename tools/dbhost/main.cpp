// The report console: drives the driver DLL through its exports as the report engine does.
//   dbhost [--driver PATH] [--lang NAME] [--progid ID] [--trace[=FILE]] COMMAND ...
// (the commands: consoleCommands.cpp). Exit codes: 0 success, 1 a driver export failed (its error
// records on standard error) or the check found no usable table, 2 a command line the console
// cannot use.

#include <fcntl.h>
#include <io.h>
#include <objbase.h>

#include <CLI/CLI.hpp>

#include <cstdio>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "consoleCommands.h"
#include "driverFailure.h"
#include "driverLibrary.h"
#include "driverSession.h"
#include "driverTrace.h"
#include "textEncoding.h"
#include "unknownWord.h"

namespace {

constexpr int kDriverFailed = 1;
constexpr int kUsageError = 2;

// The command line as UTF-8, in the reverse order that CLI11 takes it.
std::vector<std::string> Arguments(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = argc - 1; i > 0; --i) arguments.push_back(Utf8(argv[i]));
    return arguments;
}

void AddConsoleOptions(CLI::App& console, Options& options) {
    console.add_option("--driver", options.driverPath, "The driver DLL")->capture_default_str();
    console.add_option("--lang", options.language, "The language of the driver's texts, such as en-US");
    console.add_option("--progid", options.programId, "The COM data provider's Program ID or {CLSID}")
        ->capture_default_str();
    console.add_option("--trace", options.traceFile, "Every call of the driver's exports, on standard error or to FILE")
        ->expected(0, 1)
        ->type_name("[=FILE]");
}

// Each command's help ends with its example, the console's with all of them. A parse that
// succeeds leaves chosen naming the command given.
void AddCommands(CLI::App& console, Options& options, const ConsoleCommand*& chosen) {
    std::string examples = "Examples:\n";
    for (const ConsoleCommand& command : ConsoleCommands()) {
        CLI::App* added = console.add_subcommand(command.name, command.summary);
        added->footer(std::string("Example:\n  ") + command.example);
        added->callback([&chosen, &command] { chosen = &command; });
        command.addArguments(*added, options);
        examples += std::string("  ") + command.example + "\n";
    }
    console.footer(examples + "A command's options and example: dbhost COMMAND --help");
}

// The engine calls the driver on threads whose apartment it has set up; so does the console.
class Apartment {
public:
    Apartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~Apartment() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    Apartment(const Apartment&) = delete;
    Apartment& operator=(const Apartment&) = delete;

private:
    HRESULT result_;
};

// Standard output is fully buffered, so what it holds goes out first.
void PrintError(const std::string& message) {
    std::fflush(stdout);
    std::fprintf(stderr, "dbhost: %s\n", message.c_str());
}

// Standard error, or the file named; none without --trace.
using FileOwner = std::unique_ptr<std::FILE, decltype(&std::fclose)>;
FileOwner OpenTrace(const Options& options) {
    if (!options.trace || options.traceFile.empty()) return {nullptr, &std::fclose};
    FileOwner file(_wfopen(Utf16(options.traceFile).c_str(), L"wb"), &std::fclose);
    if (!file) throw UsageError("cannot write the trace to " + options.traceFile);
    return file;
}

void PrintFailure(const DriverFailure& failure) {
    PrintError(failure.what());
    for (const DriverErrorRecord& record : failure.Records()) {
        // A record's later lines stand under its first, so that each record reads as one block.
        const std::string prefix = "  error " + std::to_string(record.code) + ": ";
        std::string text = Utf8(record.text);
        for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
            text.insert(at + 1, prefix.size(), ' ');
        std::fprintf(stderr, "%s%s\n", prefix.c_str(), text.c_str());
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // Output is UTF-8 and its line ends are the writers' own.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    // The C runtime gives a character device (NUL, or /dev/null under Wine) no buffer, as it does
    // a console, so every printed line would be a write of its own: buffer fully whatever it is.
    std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);

    Options options;
    CLI::App console{"Report console: drives zedb_com.dll through its exports as the report engine does", "dbhost"};
    console.require_subcommand(1);
    AddConsoleOptions(console, options);
    const ConsoleCommand* chosen = nullptr;
    AddCommands(console, options, chosen);
    try {
        console.parse(Arguments(argc, argv));
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() == 0) return console.exit(error);
        if (const auto message = UnknownWordMessage(console)) {
            PrintError(*message);
            return kUsageError;
        }
        console.exit(error);
        return kUsageError;
    }

    options.trace = console.get_option("--trace")->count() > 0;

    const Apartment apartment;
    try {
        const FileOwner traceFile = OpenTrace(options);
        std::optional<DriverTrace> trace;
        if (options.trace) trace.emplace(traceFile ? traceFile.get() : stderr);
        const DriverLibrary driver(Utf16(options.driverPath));
        DriverSession session(driver, Utf16(options.language), trace ? &*trace : nullptr);
        return chosen->run(session, options);
    } catch (const DriverFailure& failure) {
        PrintFailure(failure);
        return kDriverFailed;
    } catch (const UsageError& error) {
        PrintError(error.what());
        return kUsageError;
    } catch (const std::exception& error) {
        PrintError(error.what());
        return kDriverFailed;
    }
}
