// The POSIX backend of the platform layer: files, standard streams, console
// events as signals, and process exit. Interrupted calls are retried here.
#include "platform/platform.h"
#include "platform/path_folding.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

bool streamValid[3] = {false, false, false};

int posixFlags(OpenMode mode, bool readOnly) {
    int flags = (readOnly ? O_RDONLY : O_RDWR) | O_CLOEXEC | O_NOCTTY;
    if (mode == OpenMode::openOrCreate) flags |= O_CREAT;
    return flags;
}

OpenResult openPath(const char* name, OpenMode mode, bool readOnly) {
    int flags = posixFlags(mode, readOnly);
    // A FIFO is opened in one direction only, before anything touches it:
    // holding both ends for a moment would drop what a writer sends then.
    struct stat before;
    if (::stat(name, &before) == 0 && S_ISFIFO(before.st_mode))
        flags = (mode == OpenMode::existingOnly ? O_RDONLY : O_WRONLY) | O_CLOEXEC | O_NOCTTY;
    int fd;
    do {
        fd = ::open(name, flags, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return {invalidHandle, errno};
    struct stat info;
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        return {invalidHandle, EISDIR};
    }
    return {fd, 0};
}

}  // namespace

void noteStandardStreams() {
    for (int fd = 0; fd < 3; ++fd) {
        streamValid[fd] = ::fcntl(fd, F_GETFD) != -1;
        // Occupy a closed stream's slot, so no file opened later lands there.
        if (!streamValid[fd]) {
            int spare = ::open("/dev/null", O_RDWR);
            if (spare >= 0 && spare != fd) ::close(spare);
        }
    }
}

Handle standardHandle(StandardStream stream) {
    int fd = static_cast<int>(stream);
    return streamValid[fd] ? fd : invalidHandle;
}

bool isStandardHandle(Handle handle) {
    return handle >= 0 && handle < 3 && streamValid[handle];
}

OpenResult openFile(const std::string& name, OpenMode mode, bool readOnly) {
    // A NUL inside the name would silently open a shorter one.
    if (name.find('\0') != std::string::npos) return {invalidHandle, EINVAL};
    return openPath(name.c_str(), mode, readOnly);
}

OpenResult openConsole(OpenMode mode) {
    return openPath("/dev/tty", mode, false);
}

const char* nullDeviceName() { return "/dev/null"; }

OpenFailure classifyOpenError(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR: return OpenFailure::notFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return OpenFailure::accessDenied;
    case EMFILE:
    case ENFILE: return OpenFailure::tooManyFiles;
    case ENXIO:
    case ENODEV: return OpenFailure::noDevice;
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ: return OpenFailure::badName;
    default: return OpenFailure::other;
    }
}

FileKind fileKind(Handle handle) {
    struct stat info;
    if (::fstat(static_cast<int>(handle), &info) != 0) return FileKind::character;
    if (S_ISREG(info.st_mode)) return FileKind::disk;
    if (S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode)) return FileKind::pipe;
    return FileKind::character;
}

FileIdentity fileIdentity(Handle handle) {
    struct stat info;
    if (::fstat(static_cast<int>(handle), &info) != 0) return {};
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino), true};
}

std::string absoluteName(const std::string& name) {
    if (!name.empty() && name[0] == '/') return foldPath(name, "");
    std::string directory(256, '\0');
    while (::getcwd(directory.data(), directory.size()) == nullptr) {
        if (errno != ERANGE || directory.size() > (1u << 20)) return {};
        directory.resize(directory.size() * 2);
    }
    directory.resize(std::strlen(directory.c_str()));
    return foldPath(name, directory);
}

IoResult readFile(Handle handle, void* buffer, std::size_t size) {
    if (int fault = takeFault(FaultOperation::read)) return {0, fault};
    ssize_t got;
    do {
        got = ::read(static_cast<int>(handle), buffer, size);
    } while (got < 0 && errno == EINTR);
    if (got < 0) return {0, errno};
    return {static_cast<std::size_t>(got), 0};
}

IoResult writeFile(Handle handle, const void* data, std::size_t size) {
    if (int fault = takeFault(FaultOperation::write)) return {0, fault};
    const char* bytes = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < size) {
        ssize_t put = ::write(static_cast<int>(handle), bytes + done, size - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            return {done, errno};
        }
        done += static_cast<std::size_t>(put);
    }
    return {done, 0};
}

int cutFile(Handle handle) {
    if (int fault = takeFault(FaultOperation::cut)) return fault;
    int fd = static_cast<int>(handle);
    off_t here = ::lseek(fd, 0, SEEK_CUR);
    if (here < 0) return errno;
    int result;
    do {
        result = ::ftruncate(fd, here);
    } while (result != 0 && errno == EINTR);
    return result == 0 ? 0 : errno;
}

int closeFile(Handle handle) {
    if (int fault = takeFault(FaultOperation::close)) return fault;
    // After EINTR the descriptor is gone on Linux: retrying could close another.
    if (::close(static_cast<int>(handle)) != 0 && errno != EINTR) return errno;
    return 0;
}

bool isEndOfFileError(int) { return false; }

std::string errorText(int error) {
    const char* text = ::strerror(error);
    if (text == nullptr || *text == '\0') return {};
    return std::string(text) + "\r\n";
}

namespace {

void (*eventHandler)(int) = nullptr;

sigset_t eventSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGQUIT);
    sigaddset(&set, SIGHUP);
    sigaddset(&set, SIGTERM);
    return set;
}

int eventNumber(int signal) {
    switch (signal) {
    case SIGINT: return 0;
    case SIGQUIT: return 1;
    case SIGHUP: return 2;
    default: return 6;
    }
}

void* waitForEvents(void*) {
    sigset_t set = eventSignals();
    for (;;) {
        int signal = 0;
        if (sigwait(&set, &signal) == 0) eventHandler(eventNumber(signal));
    }
    return nullptr;
}

}  // namespace

void startConsoleEvents(void (*handler)(int event)) {
    std::signal(SIGPIPE, SIG_IGN);
    eventHandler = handler;
    sigset_t set = eventSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    pthread_t thread;
    if (pthread_create(&thread, nullptr, waitForEvents, nullptr) == 0) pthread_detach(thread);
}

void exitProcess(std::uint32_t status) {
    runExitHook(status);
    ::_exit(static_cast<int>(status & 0xFF));
}

}  // namespace platform
