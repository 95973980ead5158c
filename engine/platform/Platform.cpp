#include "platform/Platform.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>

namespace orven::platform {

std::string nativePath(std::string_view enginePath) {
    std::string p(enginePath);
    for (char& c : p) {
        if (c == '\\')
            c = '/';
    }
    return p;
}

std::string enginePath(std::string_view path) {
    std::string p(path);
    for (char& c : p) {
        if (c == '/')
            c = '\\';
    }
    return p;
}

FileStatus fileStatus(std::string_view path) {
    FileStatus st;
    struct stat s {};
    if (::stat(nativePath(path).c_str(), &s) != 0)
        return st;
    st.exists = true;
    st.isDirectory = S_ISDIR(s.st_mode);
    st.size = static_cast<std::uint64_t>(s.st_size);
    st.modificationTime = static_cast<std::int64_t>(s.st_mtime);
    return st;
}

File& File::operator=(File&& o) noexcept {
    if (this != &o) {
        close();
        f_ = o.f_;
        o.f_ = nullptr;
    }
    return *this;
}

bool File::close() {
    if (!f_)
        return true;
    bool ok = std::fclose(f_) == 0;
    f_ = nullptr;
    return ok;
}

bool File::read(void* data, std::size_t n) {
    return f_ && (n == 0 || std::fread(data, 1, n, f_) == n);
}

std::size_t File::readSome(void* data, std::size_t n) {
    return f_ ? std::fread(data, 1, n, f_) : 0;
}

bool File::error() const {
    return f_ == nullptr || std::ferror(f_) != 0;
}

bool File::write(const void* data, std::size_t n) {
    return f_ && (n == 0 || std::fwrite(data, 1, n, f_) == n);
}

bool File::seek(std::uint64_t offset) {
    return f_ && ::fseeko(f_, static_cast<off_t>(offset), SEEK_SET) == 0;
}

bool File::seekEnd() {
    return f_ && ::fseeko(f_, 0, SEEK_END) == 0;
}

std::int64_t File::tell() const {
    return f_ ? static_cast<std::int64_t>(::ftello(f_)) : -1;
}

bool File::flushToDisk() {
    return f_ && std::fflush(f_) == 0 && ::fsync(::fileno(f_)) == 0;
}

namespace {
bool isRegularFile(const std::string& native) {
    struct stat s {};
    return ::stat(native.c_str(), &s) == 0 && S_ISREG(s.st_mode);
}

// A file without any write permission bit is read-only, also for a process
// whose user could write it anyway (root).
bool isReadOnly(const std::string& native) {
    struct stat s {};
    return ::stat(native.c_str(), &s) == 0 && (s.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}
}  // namespace

File openExisting(std::string_view path) {
    std::string native = nativePath(path);
    if (!isRegularFile(native) || isReadOnly(native))
        return File();
    return File(std::fopen(native.c_str(), "r+b"));
}

File createFile(std::string_view path) {
    std::string native = nativePath(path);
    if (native.empty())
        return File();
    struct stat s {};
    if (::stat(native.c_str(), &s) == 0 && S_ISDIR(s.st_mode))
        return File();
    return File(std::fopen(native.c_str(), "w+b"));
}

File openForReading(std::string_view path) {
    std::string native = nativePath(path);
    if (!isRegularFile(native))
        return File();
    return File(std::fopen(native.c_str(), "rb"));
}

bool readWholeFile(std::string_view path, std::string& out, bool textMode) {
    out.clear();
    File f = openForReading(path);
    if (!f)
        return false;
    char block[65536];
    for (;;) {
        std::size_t n = std::fread(block, 1, sizeof block, f.get());
        out.append(block, n);
        if (n < sizeof block)
            break;
    }
    if (std::ferror(f.get()))
        return false;
    if (textMode) {
        std::string::size_type w = 0;
        for (std::string::size_type r = 0; r < out.size(); ++r) {
            if (out[r] == '\r' && r + 1 < out.size() && out[r + 1] == '\n')
                continue;
            out[w++] = out[r];
        }
        out.resize(w);
    }
    return true;
}

bool copyFile(std::string_view source, std::string_view destination) {
    File in = openExisting(source);
    File out = createFile(destination);
    if (!in || !out) {
        if (out) {
            out.close();
            deleteFile(destination);
        }
        return false;
    }
    char block[16384];
    for (;;) {
        std::size_t n = std::fread(block, 1, sizeof block, in.get());
        if (n > 0 && !out.write(block, n)) {
            out.close();
            deleteFile(destination);
            return false;
        }
        if (n < sizeof block)
            break;
    }
    bool ok = !std::ferror(in.get());
    if (!out.close() || !ok) {
        deleteFile(destination);
        return false;
    }
    return true;
}

bool replaceFileAtomically(std::string_view path, std::string_view content) {
    std::string native = nativePath(path);
    if (native.empty())
        return false;
    std::string temporary = native + ".saving";
    File f(std::fopen(temporary.c_str(), "wb"));
    if (!f)
        return false;
    bool ok = f.write(content) && f.flushToDisk();
    ok = f.close() && ok;
    if (!ok || ::rename(temporary.c_str(), native.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

bool deleteFile(std::string_view path) {
    return ::unlink(nativePath(path).c_str()) == 0;
}

bool renameFile(std::string_view from, std::string_view to) {
    return ::rename(nativePath(from).c_str(), nativePath(to).c_str()) == 0;
}

bool isDirectory(std::string_view path) {
    struct stat s {};
    return ::stat(nativePath(path).c_str(), &s) == 0 && S_ISDIR(s.st_mode);
}

bool makeDirectory(std::string_view path) {
    return ::mkdir(nativePath(path).c_str(), 0777) == 0;
}

bool listDirectory(std::string_view path, std::vector<std::string>& names) {
    names.clear();
    DIR* d = ::opendir(nativePath(path).c_str());
    if (!d)
        return false;
    while (struct dirent* e = ::readdir(d)) {
        std::string n = e->d_name;
        if (n != "." && n != "..")
            names.push_back(n);
    }
    ::closedir(d);
    return true;
}

int copyTree(std::string_view source, std::string_view destination) {
    std::string src = nativePath(source);
    std::string dst = nativePath(destination);
    if (!isDirectory(src) || !isDirectory(dst))
        return 1;
    std::vector<std::string> names;
    if (!listDirectory(src, names))
        return 1;
    for (const std::string& n : names) {
        if (!n.empty() && n[0] == '.')
            continue;
        std::string from = src + "/" + n;
        std::string to = dst + "/" + n;
        struct stat s {};
        if (::lstat(from.c_str(), &s) != 0)
            return 3;
        if (S_ISDIR(s.st_mode)) {
            if (!isDirectory(to) && !makeDirectory(to))
                return 2;
            int rc = copyTree(from, to);
            if (rc != 0)
                return rc;
        } else if (!copyFile(from, to)) {
            return 3;
        }
    }
    return 0;
}

std::string currentDirectory() {
    std::string buf(4096, '\0');
    if (::getcwd(buf.data(), buf.size()) == nullptr)
        return std::string();
    buf.resize(std::char_traits<char>::length(buf.c_str()));
    return buf;
}

bool changeDirectory(std::string_view path) {
    std::string native = nativePath(path);
    return !native.empty() && ::chdir(native.c_str()) == 0;
}

int runCommand(const std::string& commandLine) {
    std::fflush(nullptr);
    int status = std::system(commandLine.c_str());
    if (status == -1)
        return -1;
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    return 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}

int lastErrorNumber() {
    return errno;
}

std::string ctimeText(std::int64_t secondsSinceEpoch) {
    static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::time_t t = static_cast<std::time_t>(secondsSinceEpoch);
    std::tm tm{};
    if (::localtime_r(&t, &tm) == nullptr || tm.tm_wday < 0 || tm.tm_wday > 6 || tm.tm_mon < 0 ||
        tm.tm_mon > 11) {
        return std::string();
    }
    // The ctime layout "Www Mmm dd hh:mm:ss yyyy", independent of the locale.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s %s%3d %02d:%02d:%02d %d", kDays[tm.tm_wday],
                  kMonths[tm.tm_mon], tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec,
                  tm.tm_year + 1900);
    return buf;
}

std::int64_t now() {
    return static_cast<std::int64_t>(std::time(nullptr));
}

}  // namespace orven::platform
