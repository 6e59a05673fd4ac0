// Folding a POSIX path by text alone: a relative name is taken against a
// directory, and "." and ".." steps and repeated slashes are folded away,
// without asking the file system.
#pragma once

#include <string>
#include <string_view>

namespace platform {

std::string foldPath(std::string_view name, std::string_view directory);

}  // namespace platform
