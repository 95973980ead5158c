// The engine's only contact with the operating system: files, directories,
// the current directory, the command interpreter and the clock.
//
// Path texts inside the engine use "\" as separator (as module files store
// them). Every function here takes such engine paths and converts them to
// native paths itself, so callers never do.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace orven::platform {

// "\" becomes "/" (the native separator); nothing else changes.
std::string nativePath(std::string_view enginePath);
// "/" becomes "\" (the engine's separator).
std::string enginePath(std::string_view path);

struct FileStatus {
    bool exists = false;
    bool isDirectory = false;
    std::uint64_t size = 0;
    std::int64_t modificationTime = 0;  // seconds since 1970-01-01 UTC
};
FileStatus fileStatus(std::string_view path);

// An open file that closes itself.
class File {
  public:
    File() = default;
    explicit File(std::FILE* f) : f_(f) {}
    File(File&& o) noexcept : f_(o.f_) { o.f_ = nullptr; }
    File& operator=(File&& o) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File() { close(); }

    explicit operator bool() const { return f_ != nullptr; }
    std::FILE* get() const { return f_; }
    // Closes the file; false when the close reported an error (lost data).
    bool close();

    bool read(void* data, std::size_t n);  // exactly n bytes
    // Up to n bytes; fewer only at the end of the file or on an error.
    std::size_t readSome(void* data, std::size_t n);
    // Whether a read or write of this file failed.
    bool error() const;
    bool write(const void* data, std::size_t n);
    bool write(std::string_view s) { return write(s.data(), s.size()); }
    bool seek(std::uint64_t offset);
    bool seekEnd();
    std::int64_t tell() const;
    bool flushToDisk();

  private:
    std::FILE* f_ = nullptr;
};

// Opens an existing file as bytes for reading and writing, after querying its
// status; a file that cannot be opened for writing counts as missing.
File openExisting(std::string_view path);
// Creates a file (or empties it) as bytes for reading and writing.
File createFile(std::string_view path);
// Opens a file for reading only.
File openForReading(std::string_view path);

// Reads a whole file into text. textMode drops a carriage return that stands
// before a line feed. False when the file cannot be opened or read.
bool readWholeFile(std::string_view path, std::string& out, bool textMode = false);

// Copies a file in blocks of 16384 bytes: the source is opened as an
// existing file, the destination created; a failed write deletes the
// destination.
bool copyFile(std::string_view source, std::string_view destination);

// Writes a file so that either the whole new content is on disk under the
// name or the previous file is kept: the content goes to a temporary file
// beside it, is synced, and then renamed over the old one.
bool replaceFileAtomically(std::string_view path, std::string_view content);

bool deleteFile(std::string_view path);
bool renameFile(std::string_view from, std::string_view to);
bool isDirectory(std::string_view path);
bool makeDirectory(std::string_view path);

// Names of the entries of a directory (without "." and ".."); false when it
// cannot be read.
bool listDirectory(std::string_view path, std::vector<std::string>& names);

// Copies the tree below source into destination (entries whose name starts
// with "." are skipped). 0 success, 1 a directory cannot be entered, 2 a
// subdirectory cannot be created, 3 a file cannot be copied.
int copyTree(std::string_view source, std::string_view destination);

// Current directory of the process, in engine form ("\" separators are kept
// native here: the text is only handed back to changeDirectory).
std::string currentDirectory();
bool changeDirectory(std::string_view path);

// Runs one command line through the command interpreter and waits for it;
// the interpreter's exit code, or -1 when it could not be started.
int runCommand(const std::string& commandLine);
int lastErrorNumber();

// The C library's ctime layout in local time without its final line feed.
std::string ctimeText(std::int64_t secondsSinceEpoch);
std::int64_t now();

}  // namespace orven::platform
