// The character stream from which module files (and the files that embed
// modules) are read: lines with either line end, single characters, and
// skips up to a delimiter that stop at the end of the input.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"

namespace orven::model::persistence {

class TextReader {
  public:
    static constexpr int kEnd = -1;

    // Reads an open file from its current position (the reader owns it).
    explicit TextReader(platform::File file);
    // Reads a text held in memory (not copied; it must outlive the reader).
    explicit TextReader(std::string_view text);
    TextReader(const TextReader&) = delete;
    TextReader& operator=(const TextReader&) = delete;

    // The next line without its line end (a carriage return before the line
    // feed is dropped); false at the end of the input.
    bool getLine(std::string& line);
    // The next character, or kEnd.
    int get() {
        if (pos_ == size_ && !refill())
            return kEnd;
        return static_cast<unsigned char>(data_[pos_++]);
    }
    int peek() {
        if (pos_ == size_ && !refill())
            return kEnd;
        return static_cast<unsigned char>(data_[pos_]);
    }
    // Moves past the next occurrence of c; false when the input ends first.
    bool skipPast(char c);
    // Collects the characters up to the next c (not included) and moves past
    // c; false when the input ends first.
    bool readUntil(char c, std::string& out);
    // Collects up to and including the next c.
    bool readThrough(char c, std::string& out);
    // Skips the rest of the current line, its line end included.
    void skipLine();
    // Bytes consumed from the start of the input.
    std::uint64_t offset() const { return base_ + pos_; }
    bool atEnd() { return peek() == kEnd; }
    // False when reading the file failed (as opposed to reaching its end).
    bool failed() const { return failed_; }

  private:
    bool refill();

    platform::File file_;
    bool fromFile_ = false;
    bool failed_ = false;
    std::vector<char> buffer_;
    const char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t pos_ = 0;
    std::uint64_t base_ = 0;
};

// A line without its leading tabs and spaces.
std::string_view trimLeading(std::string_view line);

}  // namespace orven::model::persistence
