// VOXL fault-tolerance platform: the user log.
#include "orven_ft.h"

#include <cstdio>
#include <ctime>
#include <mutex>
#include <sstream>

#include "orven_exec.h"
#include "orven_rt.h"

namespace ORVEN {

namespace {

struct LogState {
    std::mutex mutex;
    std::FILE* file = 0;
    std::string last;
};

LogState& logState() {
    static LogState state;
    return state;
}

std::string stamp() {
    Time t = currentTime();
    std::time_t secs = static_cast<std::time_t>(t.seconds);
    struct tm parts;
    localtime_r(&secs, &parts);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d.%03ld", parts.tm_year + 1900,
                  parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec,
                  t.microseconds / 1000);
    return buf;
}

}  // namespace

void userLog(const std::string& message) {
    std::string text = message;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || text[i] == '\r')
            text[i] = ' ';
    }
    std::string name = moduleName();
    std::string line = stamp() + " [" + (name.empty() ? std::string("?") : name) + "] " + text;
    LogState& s = logState();
    std::lock_guard<std::mutex> lock(s.mutex);
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
    if (s.file != 0) {
        std::fprintf(s.file, "%s\n", line.c_str());
        std::fflush(s.file);
    }
    s.last = line;
}

bool setUserLogFile(const std::string& path) {
    LogState& s = logState();
    std::lock_guard<std::mutex> lock(s.mutex);
    if (path.empty()) {
        if (s.file != 0)
            std::fclose(s.file);
        s.file = 0;
        return true;
    }
    std::FILE* f = std::fopen(path.c_str(), "a");
    if (f == 0)
        return false;
    if (s.file != 0)
        std::fclose(s.file);
    s.file = f;
    return true;
}

int checkTimeRestriction(const std::string& section, double elapsedMs, double minMs, double maxMs) {
    std::ostringstream o;
    if (maxMs >= 0.0 && elapsedMs > maxMs) {
        o << "time restriction exceeded: " << section << " took " << elapsedMs << " ms, maximum "
          << maxMs << " ms";
        userLog(o.str());
        return 1;
    }
    if (minMs >= 0.0 && elapsedMs < minMs) {
        o << "time restriction undershot: " << section << " took " << elapsedMs << " ms, minimum "
          << minMs << " ms";
        userLog(o.str());
        return 2;
    }
    return 0;
}

std::string lastUserLogLine() {
    LogState& s = logState();
    std::lock_guard<std::mutex> lock(s.mutex);
    return s.last;
}

}  // namespace ORVEN
