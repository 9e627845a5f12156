// Runs a program of the system (found on PATH) and collects what it prints.
#pragma once

#include <string>
#include <vector>

namespace trx::test {

struct CommandResult {
    int Status = -1; // exit status; -1 when it could not run or was killed
    std::string Output; // standard output and standard error together
};

CommandResult RunCommand(const std::vector<std::string>& Args);

// Runs the command and raises std::runtime_error with its output when it
// does not exit with status 0; gives its output otherwise.
std::string CheckedCommand(const std::vector<std::string>& Args);

} // namespace trx::test
