#include "processRun.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "support/loggerRegistry.h"

namespace {

// Every program that the tests start ends in well under a second once Wine's server runs.
constexpr DWORD kProcessTimeLimitMs = 10000;

std::wstring TemporaryDirectory() {
    wchar_t path[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, path);
    return std::wstring(path, length);
}

// An inheritable file that the child writes and the test reads back once the child has ended,
// so that neither side can block on a full pipe.
class CaptureFile {
public:
    explicit CaptureFile(const std::wstring& name) : path_(TemporaryDirectory() + name) {
        SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
        handle_ = CreateFileW(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_TEMPORARY, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE)
            throw std::runtime_error("cannot create a capture file: error " + std::to_string(GetLastError()));
    }
    ~CaptureFile() {
        CloseHandle(handle_);
        DeleteFileW(path_.c_str());
    }
    CaptureFile(const CaptureFile&) = delete;
    CaptureFile& operator=(const CaptureFile&) = delete;

    HANDLE Handle() const { return handle_; }
    std::string Contents() const {
        std::ifstream file(path_.c_str(), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

private:
    std::wstring path_;
    HANDLE handle_;
};

}  // namespace

ProcessRun RunProcess(const std::wstring& commandLine) {
    // Fresh names each run: regsvr32 under Wine leaves its files open a little longer than it runs.
    static unsigned runs = 0;
    const std::wstring name = L"zedb-run-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++runs);
    CaptureFile out(name + L".out"), err(name + L".err");
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out.Handle();
    startup.hStdError = err.Handle();
    PROCESS_INFORMATION process{};
    std::wstring mutableLine = commandLine;
    const std::wstring directory = TestBinaryDirectory();
    if (!CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, TRUE, 0, nullptr, directory.c_str(), &startup,
                        &process))
        throw std::runtime_error("cannot start a process");
    // A hang fails the test at once, naming the command, instead of holding the whole run.
    const bool ended = WaitForSingleObject(process.hProcess, kProcessTimeLimitMs) == WAIT_OBJECT_0;
    if (!ended) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, INFINITE);
    }
    ProcessRun run;
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!ended) {
        throw std::runtime_error("did not end within " + std::to_string(kProcessTimeLimitMs / 1000) +
                                 " s: " + std::string(commandLine.begin(), commandLine.end()));
    }
    run.out = out.Contents();
    run.err = err.Contents();
    return run;
}
