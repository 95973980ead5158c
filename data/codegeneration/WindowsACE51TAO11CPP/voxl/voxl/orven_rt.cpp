// VOXL real-time platform: time stamps, suspension, priorities.
#include "orven_rt.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "orven_exec.h"

namespace ORVEN {

Time currentTime() {
    struct timeval tv;
    ::gettimeofday(&tv, 0);
    Time t;
    t.seconds = static_cast<long long>(tv.tv_sec);
    t.microseconds = static_cast<long>(tv.tv_usec);
    return t;
}

void diffTimes(long long s1, long us1, long long s2, long us2, long long& ds, long& dus) {
    // Work in whole microseconds; carry the microsecond parts first so that
    // unnormalised inputs (us >= 1000000 or negative) are still correct.
    long long a = s1 + us1 / 1000000;
    long long b = s2 + us2 / 1000000;
    long long ua = us1 % 1000000;
    long long ub = us2 % 1000000;
    long long diffSeconds = b - a;
    long long diffMicro = ub - ua;
    diffSeconds += diffMicro / 1000000;
    diffMicro %= 1000000;
    if (diffMicro < 0) {
        diffMicro += 1000000;
        diffSeconds -= 1;
    }
    ds = diffSeconds;
    dus = static_cast<long>(diffMicro);
}

double millisecondsBetween(const Time& from, const Time& to) {
    long long ds = 0;
    long dus = 0;
    diffTimes(from.seconds, from.microseconds, to.seconds, to.microseconds, ds, dus);
    return static_cast<double>(ds) * 1000.0 + static_cast<double>(dus) / 1000.0;
}

int rtSuspend(long long seconds, long microseconds) {
    if (seconds < 0 || microseconds < 0)
        return -1;
    double ms = static_cast<double>(seconds) * 1000.0 + static_cast<double>(microseconds) / 1000.0;
    // Once the module is ending (pre- and post-ending logic) a suspension
    // takes its whole time; before, the beginning of the shutdown ends it.
    if (shutdownRequested()) {
        std::this_thread::sleep_for(std::chrono::microseconds(static_cast<long long>(ms * 1000.0)));
        return 0;
    }
    return waitForShutdown(ms) ? 1 : 0;
}

namespace {

// Reads an unsigned decimal number at text[pos]; false when there is none.
bool readNumber(const std::string& text, size_t& pos, long& value) {
    size_t start = pos;
    long v = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        v = v * 10 + (text[pos] - '0');
        if (v > 1000000000L)
            return false;
        ++pos;
    }
    value = v;
    return pos > start;
}

bool expect(const std::string& text, size_t& pos, char c) {
    if (pos < text.size() && text[pos] == c) {
        ++pos;
        return true;
    }
    return false;
}

}  // namespace

bool PriorityTable::parse(const std::string& text) {
    size_t pos = 0;
    long low = 0, high = 0;
    if (!expect(text, pos, 'M') || !readNumber(text, pos, low) || !expect(text, pos, ':') ||
        !readNumber(text, pos, high))
        return false;
    std::vector<Entry> entries;
    while (pos < text.size()) {
        long g = 0, s = 0, p = -1;
        if (!expect(text, pos, ',') || !expect(text, pos, 'G') || !readNumber(text, pos, g) ||
            !expect(text, pos, 'S') || !readNumber(text, pos, s) || !expect(text, pos, ':'))
            return false;
        if (!expect(text, pos, '*') && !readNumber(text, pos, p))
            return false;
        Entry e;
        e.group = static_cast<unsigned>(g);
        e.position = static_cast<unsigned>(s);
        e.priority = static_cast<int>(p);
        entries.push_back(e);
    }
    present_ = true;
    lowest_ = static_cast<int>(low);
    highest_ = static_cast<int>(high);
    entries_.swap(entries);
    return true;
}

int PriorityTable::service(unsigned group, unsigned position) const {
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].group == group && entries_[i].position == position)
            return entries_[i].priority;
    }
    return -1;
}

void PriorityTable::clear() {
    present_ = false;
    lowest_ = highest_ = -1;
    entries_.clear();
}

PriorityTable& priorities() {
    static PriorityTable table;
    return table;
}

namespace {
thread_local int tlsPriority = -1;
}

void setCurrentPriority(int priority) {
    tlsPriority = priority;
}

int currentPriority() {
    return tlsPriority;
}

bool applyThreadPriority(int priority) {
    const PriorityTable& t = priorities();
    if (!t.present() || priority < 0)
        return false;
    // The highest number of the band is the most urgent. Without special
    // rights a thread may only lower itself, so the top of the band keeps
    // the normal level and every step below adds one level of niceness.
    int steps = t.highest() - priority;
    if (steps < 0)
        steps = 0;
    if (steps > 19)
        steps = 19;
    pid_t tid = static_cast<pid_t>(::syscall(SYS_gettid));
    errno = 0;
    int current = ::getpriority(PRIO_PROCESS, static_cast<id_t>(tid));
    if (current == -1 && errno != 0)
        return false;
    if (steps <= current)
        return true;
    return ::setpriority(PRIO_PROCESS, static_cast<id_t>(tid), steps) == 0;
}

}  // namespace ORVEN
