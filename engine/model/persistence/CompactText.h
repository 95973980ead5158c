// The compact text encoding in which module files store every free text
// (descriptions, code, general information): a block that starts with a
// "CompactStr(length)" line, holds the bytes in hexadecimal, 32 bytes a line,
// and ends with an "EndCompactStr" line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orven::model::persistence {

// Appends the block of a text written at a level: a line end, level tabs,
// "CompactStr(" + length + ")", one line of level + 1 tabs and hexadecimal
// digits per chunk of 32 bytes (bytes 128 to 255 as "*ff" + two digits),
// then a line end, level tabs and "EndCompactStr".
void appendCompactText(std::string& out, std::string_view text, int level,
                       std::string_view lineEnd = "\r\n");

// The block of a text with line-feed line ends, as a text.
std::string writeCompactText(std::string_view text, int level);

// Whether a line opens a block: from its first "C" to the next "(" it reads
// "CompactStr".
bool isCompactHeaderLine(std::string_view line);
// Whether a line closes a block: from its first "E" through the next "r" it
// reads "EndCompactStr".
bool isCompactEndLine(std::string_view line);

// Decodes a block line by line: the header line first, then the lines after
// it (without their line ends) while wantsMore() holds. Nothing is reserved
// for the announced length before the bytes are really there.
class CompactDecoder {
  public:
    void begin(std::string_view headerLine);
    void addLine(std::string_view line);
    bool wantsMore() const { return !failed_ && text_.size() < length_; }
    // The decoded text; empty when the block was cut short or damaged.
    std::string finish();

  private:
    std::uint64_t length_ = 0;
    bool first_ = true;
    bool failed_ = false;
    std::string text_;
};

// Decodes one block given as text, from its "CompactStr(" line through its
// "EndCompactStr" line; the empty text when it cannot be decoded.
std::string decodeCompactText(std::string_view block);

}  // namespace orven::model::persistence
