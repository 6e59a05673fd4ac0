// File-name preparation and the table of reserved device names.
#include "channels/file_name.h"

#include <algorithm>
#include <cctype>

namespace {

enum class DeviceUse { ordinaryFile, standardOutput, standardInput, standardError, nullDevice, refusedDevice };

struct DeviceName {
    std::string_view base;
    DeviceUse withoutExtension;
    DeviceUse withExtension;
    std::string_view shownAs;  // the channel's name when taken as a device or stream
};

using enum DeviceUse;

// The seventeen reserved names. With an extension, a name starting with C is a
// device unless it is CONOUT$ or CONIN$; E, L and U names are ordinary files.
constexpr DeviceName deviceNameTable[] = {
    {"CON", standardOutput, standardOutput, "CON"},
    {"CONOUT$", standardOutput, ordinaryFile, "CONOUT$"},
    {"CONIN$", standardInput, ordinaryFile, "CONIN$"},
    {"ERR", standardError, ordinaryFile, "ERR"},
    {"USER", standardOutput, ordinaryFile, "CON"},
    {"PRN", refusedDevice, refusedDevice, "PRN"},
    {"NUL", nullDevice, nullDevice, "NUL"},
    {"AUX", refusedDevice, refusedDevice, "COM1"},
    {"COM1", refusedDevice, refusedDevice, "COM1"},
    {"COM2", refusedDevice, refusedDevice, "COM2"},
    {"COM3", refusedDevice, refusedDevice, "COM3"},
    {"COM4", refusedDevice, refusedDevice, "COM4"},
    {"LPT1", refusedDevice, ordinaryFile, "LPT1"},
    {"LPT2", refusedDevice, ordinaryFile, "LPT2"},
    {"LPT3", refusedDevice, ordinaryFile, "LPT3"},
    {"LPT4", refusedDevice, ordinaryFile, "LPT4"},
    {"LINE", refusedDevice, ordinaryFile, "COM1"},
};

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

}  // namespace

PreparedName prepareFileName(const char* text, std::size_t length) {
    std::string_view name(text, std::min(length, maximumNameLength));
    while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\0')) name.remove_suffix(1);
    PreparedName prepared;
    if (name.empty()) return prepared;

    std::size_t lastPeriod = name.rfind('.');
    std::string_view base = lastPeriod == std::string_view::npos ? name : name.substr(0, lastPeriod);
    bool hasExtension = lastPeriod != std::string_view::npos && lastPeriod + 1 < name.size();
    for (const DeviceName& device : deviceNameTable) {
        if (!equalIgnoringCase(base, device.base)) continue;
        DeviceUse use = hasExtension ? device.withExtension : device.withoutExtension;
        if (use == ordinaryFile) break;
        prepared.name = device.shownAs;
        switch (use) {
        case standardOutput: prepared.kind = NameKind::standardStream; break;
        case standardInput:
            prepared.kind = NameKind::standardStream;
            prepared.stream = platform::StandardStream::input;
            break;
        case standardError:
            prepared.kind = NameKind::standardStream;
            prepared.stream = platform::StandardStream::error;
            break;
        case nullDevice: prepared.kind = NameKind::nullDevice; break;
        default: prepared.kind = NameKind::refusedDevice; break;
        }
        return prepared;
    }

    prepared.name = std::string(name);
    std::string absolute = platform::absoluteName(prepared.name);
    if (!absolute.empty() && absolute.size() < maximumNameLength) prepared.name = std::move(absolute);
    return prepared;
}
