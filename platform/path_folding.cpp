// foldPath: the absolute form of a POSIX name, by text.
#include "platform/path_folding.h"

#include <vector>

namespace platform {

std::string foldPath(std::string_view name, std::string_view directory) {
    std::vector<std::string_view> steps;
    auto addSteps = [&steps](std::string_view path) {
        while (!path.empty()) {
            std::size_t slash = path.find('/');
            std::string_view step = path.substr(0, slash);
            path = slash == std::string_view::npos ? std::string_view{} : path.substr(slash + 1);
            if (step.empty() || step == ".") continue;
            if (step == "..") {
                if (!steps.empty()) steps.pop_back();
                continue;
            }
            steps.push_back(step);
        }
    };
    if (name.empty() || name[0] != '/') addSteps(directory);
    addSteps(name);
    std::string result;
    for (std::string_view step : steps) {
        result += '/';
        result += step;
    }
    return result.empty() ? std::string("/") : result;
}

}  // namespace platform
