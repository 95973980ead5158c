// Text helpers shared by the macro-script engine, the exports and the
// generators.
#pragma once

#include <string>
#include <string_view>

namespace orven::macroscript {

// The bytes a ... z become A ... Z; every other byte stays.
std::string ToUpperAscii(std::string_view text);

// True when ToUpperAscii(text) is exactly "TRUE".
bool IsTrueText(std::string_view text);

// Puts count copies of ch at the start of the text and after every line
// feed that is followed by at least one more character. An empty text or a
// count of 0 or less leaves the text unchanged.
void IndentLines(std::string& text, int count, char ch);

// The identifier form of a text: blanks (spaces, tabs) at both ends removed,
// every byte that is not an ASCII letter or digit replaced by "_", and "x_"
// put in front when the result begins with a digit.
std::string ConvertToIdentifier(std::string_view text);

}  // namespace orven::macroscript
