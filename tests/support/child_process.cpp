// Child processes for tests whose subject ends the process.
#include "tests/support/child_process.h"

#include "channels/channel_table.h"
#include "platform/platform.h"
#include "runtime/start_up.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string temporaryFile() {
    std::string path = (std::filesystem::temp_directory_path() / "talvo-test-XXXXXX").string();
    int fd = mkstemp(path.data());
    close(fd);
    return path;
}

ChildResult collect(pid_t child, const std::string& outPath, const std::string& errPath) {
    int raw = 0;
    waitpid(child, &raw, 0);
    ChildResult result;
    if (WIFEXITED(raw)) result.status = WEXITSTATUS(raw);
    if (WIFSIGNALED(raw)) result.signal = WTERMSIG(raw);
    result.out = readWholeFile(outPath);
    result.err = readWholeFile(errPath);
    unlink(outPath.c_str());
    unlink(errPath.c_str());
    return result;
}

// In the child: standard output and error to the files, input from fd.
void redirect(int input, const std::string& outPath, const std::string& errPath) {
    if (input >= 0) {
        dup2(input, 0);
        close(input);
    } else {
        close(0);
    }
    int out = open(outPath.c_str(), O_WRONLY | O_TRUNC);
    int err = open(errPath.c_str(), O_WRONLY | O_TRUNC);
    dup2(out, 1);
    dup2(err, 2);
    close(out);
    close(err);
}

}  // namespace

namespace {

// A child with its standard output and error in files and its standard
// input the read end of a pipe (or closed); the parent keeps the write end.
struct Child {
    pid_t pid;
    int feed;  // write end of the child's standard input
    std::string outPath, errPath;
};

Child startChild(const std::function<void()>& body, bool closeInput, bool withStartUp) {
    Child child{0, -1, temporaryFile(), temporaryFile()};
    int ends[2];
    if (pipe(ends) != 0) std::abort();
    child.pid = fork();
    if (child.pid == 0) {
        close(ends[1]);
        redirect(closeInput ? -1 : ends[0], child.outPath, child.errPath);
        if (closeInput) close(ends[0]);
        resetChannelTable();
        platform::clearFaults();
        if (withStartUp)
            startUp();
        else
            platform::noteStandardStreams();
        body();
        _exit(250);
    }
    close(ends[0]);
    child.feed = ends[1];
    return child;
}

}  // namespace

ChildResult runInChild(const std::function<void()>& body, const std::string& input, bool closeInput) {
    Child child = startChild(body, closeInput, false);
    signal(SIGPIPE, SIG_IGN);
    if (!input.empty()) (void)!write(child.feed, input.data(), input.size());
    close(child.feed);
    return collect(child.pid, child.outPath, child.errPath);
}

ChildResult runAndSignal(const std::function<void()>& body, int signal) {
    Child child = startChild(body, false, true);
    // The child writes only after startUp, so its event thread is waiting.
    for (int i = 0; i < 100000; ++i) {
        if (!readWholeFile(child.outPath).empty()) break;
        usleep(1000);
    }
    kill(child.pid, signal);
    ChildResult result = collect(child.pid, child.outPath, child.errPath);
    close(child.feed);
    return result;
}

std::string makeScratchDirectory() {
    std::string path = (std::filesystem::temp_directory_path() / "talvo-scratch-XXXXXX").string();
    return mkdtemp(path.data());
}

std::string readWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void writeWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << bytes;
}
