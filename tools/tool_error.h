// How vantrel-pack fails: one exception type carrying the exit code and a message
// that names the file and what is wrong.
#pragma once

#include <stdexcept>
#include <string>

// The documented exit codes.
enum ExitCode {
    kExitOk = 0,
    kExitDamaged = 1,    // a package, block or uninstall data is damaged
    kExitUsage = 2,      // the command line is wrong
    kExitInput = 3,      // a manifest, project or input file cannot be used
    kExitIo = 4,         // reading or writing a file failed
    kExitCancelled = 130 // interrupted (Ctrl-C)
};

class CToolError : public std::runtime_error {
public:
    CToolError(ExitCode code, const std::string& message) : std::runtime_error(message), m_code(code) {}
    ExitCode GetExitCode() const { return m_code; }

private:
    ExitCode m_code;
};
