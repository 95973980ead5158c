// The format transformer of module files. It knows the tags of the module
// file formats below; the text layout of the older format FF200703 is read
// as that of FF200704, so converting between them rewrites the format line
// and keeps every other byte (the text part and the external appendix).
// Anything else (files without format information, unknown tags) is
// reported as a conversion that is not supported.
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "ORVEN_transformer.h"

namespace {

struct Format {
    int id;
    const char* name;
};

// From the oldest to the newest.
constexpr std::array<Format, 2> kFormats{{{200703, "FF200703"}, {200704, "FF200704"}}};

// The lines examined before giving up on finding the format line.
constexpr int kMaxHeaderLines = 64;
// The size of a module file the transformer accepts.
constexpr long kMaxFileSize = 256L * 1024 * 1024;

bool initialized = false;

int copyOut(std::string_view text, char* buffer, int size) {
    if (buffer == nullptr || size < 1) {
        return 0;
    }
    std::size_t n = text.size();
    if (n > static_cast<std::size_t>(size - 1)) {
        n = static_cast<std::size_t>(size - 1);
    }
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

const Format* formatById(int id) {
    for (const Format& f : kFormats) {
        if (f.id == id) {
            return &f;
        }
    }
    return nullptr;
}

const Format* formatByName(std::string_view name) {
    for (const Format& f : kFormats) {
        if (name == f.name) {
            return &f;
        }
    }
    return nullptr;
}

bool readWholeFile(const char* path, std::string& out, std::string& error) {
    std::FILE* f = std::fopen(path, "rb");
    if (f == nullptr) {
        error = std::string("cannot open the file: ") + std::strerror(errno);
        return false;
    }
    bool ok = std::fseek(f, 0, SEEK_END) == 0;
    long size = ok ? std::ftell(f) : -1;
    if (size < 0 || size > kMaxFileSize || std::fseek(f, 0, SEEK_SET) != 0) {
        std::fclose(f);
        error = size > kMaxFileSize ? "the file is too large" : "cannot read the file";
        return false;
    }
    out.assign(static_cast<std::size_t>(size), '\0');
    ok = size == 0 || std::fread(out.data(), 1, out.size(), f) == out.size();
    std::fclose(f);
    if (!ok) {
        error = "cannot read the file";
    }
    return ok;
}

// Where the format tag of a module file stands: the text between the first
// "[" and "]" of the first line that holds "Format info:". A line without it
// is skipped together with the line after it; an empty line ends the search.
struct FormatTag {
    bool found = false;
    std::size_t begin = 0;  // offset of the tag in the file
    std::size_t length = 0;
    std::string problem;
};

FormatTag findFormatTag(const std::string& bytes) {
    FormatTag tag;
    std::size_t pos = 0;
    bool skipNext = false;
    for (int lineNo = 0; lineNo < kMaxHeaderLines && pos < bytes.size(); ++lineNo) {
        std::size_t end = bytes.find('\n', pos);
        if (end == std::string::npos) {
            end = bytes.size();
        }
        std::string_view line(bytes.data() + pos, end - pos);
        const std::size_t lineStart = pos;
        pos = end + 1;
        if (skipNext) {
            skipNext = false;
            continue;
        }
        std::size_t first = line.find_first_not_of(" \t");
        std::string_view trimmed = first == std::string_view::npos ? "" : line.substr(first);
        if (!trimmed.empty() && trimmed.back() == '\r') {
            trimmed.remove_suffix(1);
        }
        if (trimmed.find('$') != std::string_view::npos) {
            break;  // the end of the text part: no header there
        }
        if (trimmed.find("Format info:") == std::string_view::npos) {
            if (trimmed.empty()) {
                tag.problem = "format information not found";
                return tag;
            }
            skipNext = true;
            continue;
        }
        std::size_t open = line.find('[');
        std::size_t close = open == std::string_view::npos ? open : line.find(']', open + 1);
        if (close == std::string_view::npos) {
            tag.problem = "invalid format information";
            return tag;
        }
        tag.found = true;
        tag.begin = lineStart + open + 1;
        tag.length = close - open - 1;
        return tag;
    }
    tag.problem = "format information not found";
    return tag;
}

// Writes the bytes under the path so that either the whole new file is
// there or the previous one is kept.
bool writeReplacing(const std::string& path, const std::string& bytes, std::string& error) {
    std::string temp = path + ".transforming";
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (f == nullptr) {
        error = std::string("cannot create the destination: ") + std::strerror(errno);
        return false;
    }
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fflush(f) == 0 && ok;
    ok = ::fsync(fileno(f)) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0) {
        ok = false;
    }
    if (!ok) {
        error = std::string("cannot write the destination: ") + std::strerror(errno);
        std::remove(temp.c_str());
    }
    return ok;
}

class Log {
  public:
    void line(const std::string& text) { text_ += text + "\n"; }
    int finish(int result, char* buffer, int size) {
        const char* what = result == 2   ? "converted"
                           : result == 1 ? "conversion not supported"
                                         : "error reading or writing files";
        line(std::string("Result: ") + what + ".");
        copyOut(text_, buffer, size);
        return result;
    }

  private:
    std::string text_ = "ORVEN module file format transformer\n";
};

}  // namespace

int InitializeOrvenTransformerInterface(void) {
    initialized = true;
    return 1;
}

int FinalizeOrvenTransformerInterface(void) {
    if (!initialized) {
        return 0;
    }
    initialized = false;
    return 1;
}

int NumberOfFormats(void) {
    return initialized ? static_cast<int>(kFormats.size()) : 0;
}

int IDOfFirstFormat(int* identifier) {
    if (!initialized || identifier == nullptr) {
        return 0;
    }
    *identifier = kFormats.front().id;
    return 1;
}

int IDOfNextFormatID(int identifier, int* next) {
    if (!initialized || next == nullptr) {
        return 0;
    }
    for (std::size_t i = 0; i + 1 < kFormats.size(); ++i) {
        if (kFormats[i].id == identifier) {
            *next = kFormats[i + 1].id;
            return 1;
        }
    }
    return 0;
}

int NameOfFormatID(int identifier, char* buffer, int size) {
    const Format* f = initialized ? formatById(identifier) : nullptr;
    if (f == nullptr || buffer == nullptr || size < 1) {
        return 0;
    }
    copyOut(f->name, buffer, size);
    return 1;
}

int ReadFileFormat(const char* filePath, char* buffer, int size) {
    copyOut("", buffer, size);
    if (!initialized || filePath == nullptr || *filePath == '\0') {
        return 0;
    }
    std::string bytes, error;
    if (!readWholeFile(filePath, bytes, error)) {
        return 0;
    }
    FormatTag tag = findFormatTag(bytes);
    if (!tag.found) {
        return 0;
    }
    std::string name = bytes.substr(tag.begin, tag.length);
    if (formatByName(name) == nullptr) {
        return 0;
    }
    copyOut(name, buffer, size);
    return 1;
}

int TransformFile(const char* sourcePath, const char* destinationPath, int formatPosition,
                  char* logBuffer, int logSize) {
    copyOut("", logBuffer, logSize);
    Log log;
    if (!initialized) {
        log.line("The transformer has not been initialised.");
        return log.finish(0, logBuffer, logSize);
    }
    if (sourcePath == nullptr || *sourcePath == '\0' || destinationPath == nullptr ||
        *destinationPath == '\0') {
        log.line("Source or destination file not given.");
        return log.finish(0, logBuffer, logSize);
    }
    log.line(std::string("Source file: ") + sourcePath);
    log.line(std::string("Destination file: ") + destinationPath);
    if (formatPosition < 0 || formatPosition >= static_cast<int>(kFormats.size())) {
        log.line("Destination format #" + std::to_string(formatPosition) + " is not known.");
        return log.finish(1, logBuffer, logSize);
    }
    const Format& target = kFormats[static_cast<std::size_t>(formatPosition)];
    log.line(std::string("Destination format: ") + target.name);

    std::string bytes, error;
    if (!readWholeFile(sourcePath, bytes, error)) {
        log.line("Error reading the source file: " + error + ".");
        return log.finish(0, logBuffer, logSize);
    }
    FormatTag tag = findFormatTag(bytes);
    if (!tag.found) {
        log.line("The source file has no readable format line (" + tag.problem + ").");
        log.line("Only files in the formats FF200703 and FF200704 can be converted.");
        return log.finish(1, logBuffer, logSize);
    }
    std::string sourceName = bytes.substr(tag.begin, tag.length);
    log.line("Source format: " + sourceName);
    if (formatByName(sourceName) == nullptr) {
        log.line("The source format " + sourceName + " is not known to this transformer.");
        return log.finish(1, logBuffer, logSize);
    }
    if (sourceName == target.name) {
        log.line("The file is already in the destination format; its content is kept.");
    } else {
        bytes.replace(tag.begin, tag.length, target.name);
        log.line("Format line rewritten from " + sourceName + " to " + target.name +
                 "; the rest of the file is kept byte for byte.");
    }
    if (!writeReplacing(destinationPath, bytes, error)) {
        log.line("Error writing the destination file: " + error + ".");
        return log.finish(0, logBuffer, logSize);
    }
    return log.finish(2, logBuffer, logSize);
}
