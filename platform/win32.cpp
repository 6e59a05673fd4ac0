// The Win32 backend of the platform layer: the console program's own calls
// for files, standard handles, the system's error texts, console control
// events and the process exit.
#include "platform/platform.h"

#include <windows.h>

#include <cstring>

namespace platform {
namespace {

Handle streamHandles[3] = {invalidHandle, invalidHandle, invalidHandle};

Handle fromWin32(HANDLE handle) { return reinterpret_cast<Handle>(handle); }
HANDLE toWin32(Handle handle) { return reinterpret_cast<HANDLE>(handle); }

OpenResult createFile(const char* name, DWORD access, DWORD sharing, DWORD disposition) {
    HANDLE handle = CreateFileA(name, access, sharing, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return {invalidHandle, static_cast<int>(GetLastError())};
    return {fromWin32(handle), 0};
}

}  // namespace

void noteStandardStreams() {
    const DWORD ids[3] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
    for (int i = 0; i < 3; ++i) {
        HANDLE handle = GetStdHandle(ids[i]);
        bool valid = handle != nullptr && handle != INVALID_HANDLE_VALUE;
        streamHandles[i] = valid ? fromWin32(handle) : invalidHandle;
    }
}

Handle standardHandle(StandardStream stream) { return streamHandles[static_cast<int>(stream)]; }

bool isStandardHandle(Handle handle) {
    return handle != invalidHandle &&
           (handle == streamHandles[0] || handle == streamHandles[1] || handle == streamHandles[2]);
}

// Read and write access, others may read; a file that cannot be written is
// tried again for reading by the caller.
OpenResult openFile(const std::string& name, OpenMode mode, bool readOnly) {
    // A NUL inside the name would silently open a shorter one.
    if (name.find('\0') != std::string::npos) return {invalidHandle, ERROR_INVALID_NAME};
    DWORD access = readOnly ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    DWORD disposition = mode == OpenMode::openOrCreate ? OPEN_ALWAYS : OPEN_EXISTING;
    return createFile(name.c_str(), access, FILE_SHARE_READ, disposition);
}

OpenResult openConsole(OpenMode mode) {
    // Connected by a write: the console's output; by a read: its input.
    const char* name = mode == OpenMode::openOrCreate ? "CONOUT$" : "CONIN$";
    return createFile(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
}

const char* nullDeviceName() { return "NUL"; }

OpenFailure classifyOpenError(int error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return OpenFailure::notFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return OpenFailure::accessDenied;
    case ERROR_TOO_MANY_OPEN_FILES: return OpenFailure::tooManyFiles;
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_UNIT: return OpenFailure::noDevice;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE: return OpenFailure::badName;
    default: return OpenFailure::other;
    }
}

FileKind fileKind(Handle handle) {
    switch (GetFileType(toWin32(handle))) {
    case FILE_TYPE_DISK: return FileKind::disk;
    case FILE_TYPE_PIPE: return FileKind::pipe;
    default: return FileKind::character;
    }
}

// The system's own sharing modes keep a file from being opened twice for
// writing, so no identity is needed here.
FileIdentity fileIdentity(Handle) { return {}; }

std::string absoluteName(const std::string& name) {
    char buffer[MAX_PATH * 4];
    DWORD length = GetFullPathNameA(name.c_str(), sizeof buffer, buffer, nullptr);
    if (length == 0 || length >= sizeof buffer) return {};
    return std::string(buffer, length);
}

IoResult readFile(Handle handle, void* buffer, std::size_t size) {
    if (int fault = takeFault(FaultOperation::read)) return {0, fault};
    DWORD got = 0;
    DWORD wanted = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    if (!ReadFile(toWin32(handle), buffer, wanted, &got, nullptr)) return {0, static_cast<int>(GetLastError())};
    return {got, 0};
}

IoResult writeFile(Handle handle, const void* data, std::size_t size) {
    if (int fault = takeFault(FaultOperation::write)) return {0, fault};
    const char* bytes = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < size) {
        DWORD put = 0;
        if (!WriteFile(toWin32(handle), bytes + done, static_cast<DWORD>(size - done), &put, nullptr))
            return {done, static_cast<int>(GetLastError())};
        if (put == 0) return {done, ERROR_WRITE_FAULT};
        done += put;
    }
    return {done, 0};
}

int cutFile(Handle handle) {
    if (int fault = takeFault(FaultOperation::cut)) return fault;
    return SetEndOfFile(toWin32(handle)) ? 0 : static_cast<int>(GetLastError());
}

int closeFile(Handle handle) {
    if (int fault = takeFault(FaultOperation::close)) return fault;
    return CloseHandle(toWin32(handle)) ? 0 : static_cast<int>(GetLastError());
}

bool isEndOfFileError(int error) { return error == ERROR_HANDLE_EOF; }

std::string errorText(int error) {
    char text[1024];
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                  static_cast<DWORD>(error), 0, text, sizeof text, nullptr);
    if (length == 0) return {};
    std::string message(text, length);
    // The system's texts end with their own line end; one that does not gets one.
    if (message.size() < 2 || message.compare(message.size() - 2, 2, "\r\n") != 0) message += "\r\n";
    return message;
}

namespace {

void (*eventHandler)(int) = nullptr;

BOOL WINAPI onConsoleEvent(DWORD event) {
    eventHandler(static_cast<int>(event));
    // The main line is ending the run already: let it finish.
    return TRUE;
}

}  // namespace

void startConsoleEvents(void (*handler)(int event)) {
    eventHandler = handler;
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

void exitProcess(std::uint32_t status) {
    runExitHook(status);
    ExitProcess(status);
}

}  // namespace platform
