#include "model/Signals.h"

#include "model/TextRules.h"

namespace orven::model {

char signalKindLetter(int kind) {
    return kind == kNotification ? 'N' : 'E';
}

std::optional<int> signalKindFromLetter(char letter) {
    if (letter == 'E')
        return kBetaEvent;
    if (letter == 'N')
        return kNotification;
    return std::nullopt;
}

bool isValidSignalName(std::string_view name) {
    return isRawText(name) && name.find(')') == std::string_view::npos;
}

bool isValidSignalCode(std::string_view code) {
    return isRawText(code) && code.find(')') == std::string_view::npos;
}

}  // namespace orven::model
