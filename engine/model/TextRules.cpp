#include "model/TextRules.h"

#include <algorithm>

namespace orven::model {

bool isRawText(std::string_view text) {
    return text.find_first_of("\n\r") == std::string_view::npos;
}

bool isValidName(std::string_view name) {
    return isRawText(name) && name.find_first_of("[]") == std::string_view::npos;
}

bool isValidDescription(std::string_view description) {
    const std::size_t length = description.size();
    if (length < 32)
        return false;
    const auto spaces = std::count(description.begin(), description.end(), ' ');
    const double ratio = static_cast<double>(spaces) / static_cast<double>(length);
    return ratio > 0.0 && ratio <= 0.33;
}

}  // namespace orven::model
