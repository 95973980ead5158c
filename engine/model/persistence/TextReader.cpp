#include "model/persistence/TextReader.h"

#include <cstring>

namespace orven::model::persistence {

namespace {
constexpr std::size_t kBufferSize = 1 << 16;
}

TextReader::TextReader(platform::File file)
    : file_(std::move(file)), fromFile_(true), buffer_(kBufferSize) {
    data_ = buffer_.data();
}

TextReader::TextReader(std::string_view text) : data_(text.data()), size_(text.size()) {}

bool TextReader::refill() {
    if (!fromFile_ || !file_ || failed_)
        return false;
    base_ += size_;
    pos_ = 0;
    size_ = file_.readSome(buffer_.data(), buffer_.size());
    if (size_ == 0) {
        if (file_.error())
            failed_ = true;
        return false;
    }
    return true;
}

bool TextReader::getLine(std::string& line) {
    line.clear();
    bool any = false;
    for (;;) {
        if (pos_ == size_ && !refill())
            break;
        any = true;
        const char* start = data_ + pos_;
        const void* nl = std::memchr(start, '\n', size_ - pos_);
        if (nl != nullptr) {
            std::size_t n = static_cast<const char*>(nl) - start;
            line.append(start, n);
            pos_ += n + 1;
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            return true;
        }
        line.append(start, size_ - pos_);
        pos_ = size_;
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return any;
}

bool TextReader::skipPast(char c) {
    for (;;) {
        if (pos_ == size_ && !refill())
            return false;
        const char* start = data_ + pos_;
        const void* hit = std::memchr(start, c, size_ - pos_);
        if (hit != nullptr) {
            pos_ += static_cast<const char*>(hit) - start + 1;
            return true;
        }
        pos_ = size_;
    }
}

bool TextReader::readUntil(char c, std::string& out) {
    out.clear();
    for (;;) {
        if (pos_ == size_ && !refill())
            return false;
        const char* start = data_ + pos_;
        const void* hit = std::memchr(start, c, size_ - pos_);
        if (hit != nullptr) {
            std::size_t n = static_cast<const char*>(hit) - start;
            out.append(start, n);
            pos_ += n + 1;
            return true;
        }
        out.append(start, size_ - pos_);
        pos_ = size_;
    }
}

bool TextReader::readThrough(char c, std::string& out) {
    if (!readUntil(c, out))
        return false;
    out.push_back(c);
    return true;
}

void TextReader::skipLine() {
    skipPast('\n');
}

std::string_view trimLeading(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    return line.substr(i);
}

}  // namespace orven::model::persistence
