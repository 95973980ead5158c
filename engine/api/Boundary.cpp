#include "api/Boundary.h"

#include <cstring>

namespace orven::api {

std::string textIn(const char* text) {
    std::string s;
    if (text == nullptr)
        return s;
    std::size_t n = std::strlen(text);
    s.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        if (text[i] != '\r')
            s.push_back(text[i]);
    }
    return s;
}

int textOut(std::string_view text, char* buffer, int size) {
    if (buffer == nullptr || size < 0)
        return 0;
    std::size_t limit = size == 0 ? text.size() : static_cast<std::size_t>(size) - 1;
    std::size_t w = 0;
    for (std::size_t r = 0; r < text.size() && w < limit; ++r) {
        if (text[r] != '\r')
            buffer[w++] = text[r];
    }
    buffer[w] = '\0';
    return static_cast<int>(w);
}

void clearOut(char* buffer, int size) {
    if (buffer != nullptr && size >= 0)
        buffer[0] = '\0';
}

}  // namespace orven::api
