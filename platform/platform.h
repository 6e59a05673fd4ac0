// The one doorway to the operating system. Everything above this folder is
// platform-free; a backend (posix.cpp today) implements these calls, and
// faults.cpp lets tests make any Nth read, write, cut or close fail.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// An open file, device or standard stream. Backends map their own handle type
// onto this integer; invalidHandle means "none".
using Handle = std::intptr_t;
inline constexpr Handle invalidHandle = -1;

enum class StandardStream { input = 0, output = 1, error = 2 };

enum class OpenMode { openOrCreate, existingOnly };

// What a handle refers to. Only a disk file is ever cut.
enum class FileKind { disk, character, pipe };

// Why an open failed, by meaning; the caller turns this into its diagnostic.
enum class OpenFailure { none, notFound, accessDenied, tooManyFiles, noDevice, badName, other };

// Identity of the object behind a handle, to spot one file opened twice
// where the system itself does not refuse that (known = false: it does).
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool known = false;
    bool operator==(const FileIdentity&) const = default;
};

struct OpenResult {
    Handle handle = invalidHandle;
    int error = 0;  // the system's error number when handle is invalid
};

struct IoResult {
    std::size_t count = 0;
    int error = 0;  // 0 on success
};

// Notes which standard streams the process was given. Must run before any
// file is opened, so a file that later takes a closed stream's slot is never
// mistaken for that stream.
void noteStandardStreams();

// The process's handle for a stream, or invalidHandle if it had none at start.
Handle standardHandle(StandardStream stream);
bool isStandardHandle(Handle handle);

// Opens name for reading and writing (or reading only), letting others read.
// A directory is refused as access denied. A FIFO is opened for one direction
// only, reading for existingOnly and writing for openOrCreate, waiting for its
// other end as FIFOs do: holding both ends ourselves, we would never see its end.
OpenResult openFile(const std::string& name, OpenMode mode, bool readOnly);
// Opens the console device itself, for a console channel with no standard stream.
OpenResult openConsole(OpenMode mode);
// The name of the null device.
const char* nullDeviceName();

OpenFailure classifyOpenError(int error);
FileKind fileKind(Handle handle);
FileIdentity fileIdentity(Handle handle);

// name made absolute against the current directory, by text alone (no
// file need exist); empty when the system cannot tell.
std::string absoluteName(const std::string& name);

IoResult readFile(Handle handle, void* buffer, std::size_t size);
// Writes every byte or fails; a pipe without reader is a failed write.
IoResult writeFile(Handle handle, const void* data, std::size_t size);
// Cuts the file at its current position.
int cutFile(Handle handle);
int closeFile(Handle handle);
// True when error means "the end of the input" rather than a failure.
bool isEndOfFileError(int error);

// The system's text for an error number, ending with CR LF; empty if none.
std::string errorText(int error);

// Console events (0 control-C, 1 control-BREAK, 2 close, others above) are
// delivered to handler on a thread of their own. Also keeps a closed pipe from
// killing the process.
void startConsoleEvents(void (*handler)(int event));

[[noreturn]] void exitProcess(std::uint32_t status);

// For fuzzing: a hook that exitProcess calls first. A hook that does not
// return (it may throw) lets a harness go on after a run has ended.
using ExitHook = void (*)(std::uint32_t status);
void setExitHook(ExitHook hook);

// Fault injection for tests: the Nth call (counting from 1) of an operation
// from now on fails with error. One plan per operation; clearFaults drops all.
enum class FaultOperation { read, write, cut, close, count_ };
void injectFault(FaultOperation operation, int nth, int error);
void clearFaults();
// Used by backends: the error to fail this call with, or 0.
int takeFault(FaultOperation operation);
// Used by backends: calls the exit hook, if one is set.
void runExitHook(std::uint32_t status);

}  // namespace platform
