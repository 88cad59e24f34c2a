#pragma once
// Runs a program the way a shell would, for the tests of yuedu-cli: standard input from
// /dev/null, standard output to a file (/dev/full to make writing fail), standard error caught.
#include <string>
#include <vector>

namespace yuedu::test {

struct ProcessResult {
    int status = -1; // the exit status, or -1 when it did not exit normally
    std::string err; // what it wrote to standard error
};

ProcessResult runProcess(const std::vector<std::string> &argv, const std::string &stdoutPath);

std::string readWholeFile(const std::string &path);

} // namespace yuedu::test
