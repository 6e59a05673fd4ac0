// Runs a piece of the program in a child process, the way the program runs:
// its standard input fed from a pipe, its standard output and error captured,
// its exit status (or the signal that ended it) reported.
#pragma once

#include <functional>
#include <string>

struct ChildResult {
    int status = -1;  // exit status, or -1 when a signal ended the child
    int signal = 0;
    std::string out;
    std::string err;
};

// body runs in a fresh child with an empty channel table and the standard
// streams noted. If body returns, the child exits with status 250. When
// closeInput is set the child starts with its standard input closed.
ChildResult runInChild(const std::function<void()>& body, const std::string& input = "", bool closeInput = false);

// Runs body in a child that has done the program's startUp, and sends it
// `signal` once the child has written its first bytes to standard output.
ChildResult runAndSignal(const std::function<void()>& body, int signal);

// A fresh empty directory under the system's temporary directory.
std::string makeScratchDirectory();
std::string readWholeFile(const std::string& path);
void writeWholeFile(const std::string& path, const std::string& bytes);
