// The five free texts of general information about a module.
#pragma once

#include <string>

namespace orven::model {

struct GeneralInfo {
    std::string version;
    std::string date;
    std::string author;
    std::string otherDependencies;
    std::string comments;

    bool operator==(const GeneralInfo&) const = default;
};

}  // namespace orven::model
