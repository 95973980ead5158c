// What every export does at the C boundary, written once: incoming texts
// lose their carriage returns, outgoing texts follow the copy rule, and no
// exception ever leaves an export.
#pragma once

#include <string>
#include <string_view>

namespace orven::api {

// An incoming text argument: null stands for the empty text; every carriage
// return is removed.
std::string textIn(const char* text);

// The copy rule for text results: nothing for a null buffer (or a negative
// size); an empty text gives a single zero byte; otherwise the text without
// carriage returns, cut to size - 1 bytes and terminated; size 0 means no
// limit. Returns the number of bytes written before the terminator.
int textOut(std::string_view text, char* buffer, int size);

// Writes the zero byte that some getters leave behind before they can fail.
void clearOut(char* buffer, int size);

// Runs the body of an export; any exception becomes the failure result.
template <class Body>
int guarded(Body&& body, int onFailure = 0) noexcept {
    try {
        return body();
    } catch (...) {
        return onFailure;
    }
}

}  // namespace orven::api
