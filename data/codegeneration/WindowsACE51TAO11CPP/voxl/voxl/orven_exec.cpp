// VOXL execution platform.
#include "orven_exec.h"

#include <fcntl.h>
#include <mqueue.h>
#include <sys/stat.h>
#include <time.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "orven_ft.h"

namespace ORVEN {

// ---- Module identity ----------------------------------------------------
namespace {

struct Identity {
    std::mutex mutex;
    std::string name;
    std::string identifier;
    std::vector<std::string> arguments;
};

Identity& identity() {
    static Identity id;
    return id;
}

}  // namespace

void setModuleIdentity(const std::string& name, const std::string& identifier) {
    Identity& id = identity();
    std::lock_guard<std::mutex> lock(id.mutex);
    id.name = name;
    id.identifier = identifier;
}

std::string moduleName() {
    Identity& id = identity();
    std::lock_guard<std::mutex> lock(id.mutex);
    return id.name;
}

std::string moduleIdentifier() {
    Identity& id = identity();
    std::lock_guard<std::mutex> lock(id.mutex);
    return id.identifier;
}

// ---- Command line -------------------------------------------------------
void setArguments(int argc, char** argv) {
    Identity& id = identity();
    std::lock_guard<std::mutex> lock(id.mutex);
    id.arguments.clear();
    for (int i = 1; i < argc; ++i) {
        if (argv[i] != 0)
            id.arguments.push_back(argv[i]);
    }
}

int readArgument(const std::string& name, std::string& value) {
    if (name.empty())
        return 1;
    Identity& id = identity();
    std::lock_guard<std::mutex> lock(id.mutex);
    for (size_t i = 0; i < id.arguments.size(); ++i) {
        const std::string& a = id.arguments[i];
        if (a == name) {
            value = i + 1 < id.arguments.size() ? id.arguments[i + 1] : std::string();
            return 0;
        }
        if (a.size() > name.size() && a.compare(0, name.size(), name) == 0 &&
            a[name.size()] == '=') {
            value = a.substr(name.size() + 1);
            return 0;
        }
    }
    return 1;
}

// ---- User interaction ---------------------------------------------------
void outputText(const std::string& origin, const std::string& text) {
    static std::mutex outputMutex;
    std::lock_guard<std::mutex> lock(outputMutex);
    std::printf("[%s] %s\n", origin.c_str(), text.c_str());
    std::fflush(stdout);
}

// ---- Shutdown -----------------------------------------------------------
namespace {

struct ShutdownState {
    std::mutex mutex;
    std::condition_variable changed;
    bool requested = false;
};

ShutdownState& shutdownState() {
    static ShutdownState s;
    return s;
}

// Waits on cv until pred() or the time has passed (negative: no limit).
template <typename Pred>
bool waitFor(std::condition_variable& cv, std::unique_lock<std::mutex>& lock, double ms,
             Pred pred) {
    if (ms < 0.0) {
        cv.wait(lock, pred);
        return true;
    }
    auto deadline = std::chrono::steady_clock::now() +
                    std::chrono::microseconds(static_cast<long long>(ms * 1000.0));
    return cv.wait_until(lock, deadline, pred);
}

}  // namespace

void requestShutdown() {
    ShutdownState& s = shutdownState();
    {
        std::lock_guard<std::mutex> lock(s.mutex);
        s.requested = true;
    }
    s.changed.notify_all();
}

bool shutdownRequested() {
    ShutdownState& s = shutdownState();
    std::lock_guard<std::mutex> lock(s.mutex);
    return s.requested;
}

bool waitForShutdown(double milliseconds) {
    ShutdownState& s = shutdownState();
    std::unique_lock<std::mutex> lock(s.mutex);
    return waitFor(s.changed, lock, milliseconds, [&s] { return s.requested; });
}

int shutdownModule() {
    userLog("shutdown requested by the module");
    requestShutdown();
    return 0;
}

void resetShutdown() {
    ShutdownState& s = shutdownState();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.requested = false;
}

// ---- Critical zones -----------------------------------------------------
namespace {

struct Zone {
    std::mutex mutex;
    std::condition_variable released;
    bool held = false;
    bool destroyed = false;
    std::thread::id owner;
};

struct ZoneTable {
    std::mutex mutex;
    std::vector<std::shared_ptr<Zone> > zones;
};

ZoneTable& zoneTable() {
    static ZoneTable t;
    return t;
}

std::shared_ptr<Zone> zoneAt(int index) {
    ZoneTable& t = zoneTable();
    std::lock_guard<std::mutex> lock(t.mutex);
    if (index < 0 || static_cast<size_t>(index) >= t.zones.size())
        return std::shared_ptr<Zone>();
    return t.zones[static_cast<size_t>(index)];
}

}  // namespace

int createCriticalZones(int count) {
    if (count < 1 || count > 100000)
        return -1;
    ZoneTable& t = zoneTable();
    std::lock_guard<std::mutex> lock(t.mutex);
    int first = static_cast<int>(t.zones.size());
    for (int i = 0; i < count; ++i)
        t.zones.push_back(std::make_shared<Zone>());
    return first;
}

int destroyCriticalZones() {
    ZoneTable& t = zoneTable();
    std::lock_guard<std::mutex> lock(t.mutex);
    for (size_t i = 0; i < t.zones.size(); ++i) {
        std::lock_guard<std::mutex> zl(t.zones[i]->mutex);
        if (t.zones[i]->held)
            return -2;
    }
    int n = static_cast<int>(t.zones.size());
    for (size_t i = 0; i < t.zones.size(); ++i) {
        {
            std::lock_guard<std::mutex> zl(t.zones[i]->mutex);
            t.zones[i]->destroyed = true;
        }
        t.zones[i]->released.notify_all();
    }
    t.zones.clear();
    return n;
}

int numberOfCriticalZones() {
    ZoneTable& t = zoneTable();
    std::lock_guard<std::mutex> lock(t.mutex);
    return static_cast<int>(t.zones.size());
}

int enterCriticalZone(int index) {
    std::shared_ptr<Zone> z = zoneAt(index);
    if (!z)
        return -1;
    std::unique_lock<std::mutex> lock(z->mutex);
    if (z->held && z->owner == std::this_thread::get_id())
        return -2;
    // Wake up now and then to notice that the module began to shut down.
    bool ending = shutdownRequested();
    while (z->held && !z->destroyed) {
        z->released.wait_for(lock, std::chrono::milliseconds(100));
        if (z->held && !ending && shutdownRequested())
            return 1;
    }
    if (z->destroyed)
        return -3;
    z->held = true;
    z->owner = std::this_thread::get_id();
    return 0;
}

int leaveCriticalZone(int index) {
    std::shared_ptr<Zone> z = zoneAt(index);
    if (!z)
        return -1;
    {
        std::lock_guard<std::mutex> lock(z->mutex);
        if (!z->held || z->owner != std::this_thread::get_id())
            return -2;
        z->held = false;
        z->owner = std::thread::id();
    }
    z->released.notify_one();
    return 0;
}

// ---- Services -----------------------------------------------------------
std::mutex& serviceLock() {
    static std::mutex lock;
    return lock;
}

namespace {

struct PendingState {
    std::mutex mutex;
    std::condition_variable changed;
    unsigned count = 0;
};

PendingState& pendingState() {
    static PendingState s;
    return s;
}

}  // namespace

void beginRequest() {
    PendingState& s = pendingState();
    std::lock_guard<std::mutex> lock(s.mutex);
    ++s.count;
}

void endRequest() {
    PendingState& s = pendingState();
    {
        std::lock_guard<std::mutex> lock(s.mutex);
        if (s.count > 0)
            --s.count;
    }
    s.changed.notify_all();
}

unsigned pendingRequests() {
    PendingState& s = pendingState();
    std::lock_guard<std::mutex> lock(s.mutex);
    return s.count;
}

bool waitNoPendingRequests(double milliseconds) {
    PendingState& s = pendingState();
    std::unique_lock<std::mutex> lock(s.mutex);
    return waitFor(s.changed, lock, milliseconds, [&s] { return s.count == 0; });
}

SectionContext& currentContext() {
    static thread_local SectionContext context;
    return context;
}

void terminateService() {
    currentContext().terminated = true;
}

std::string eventOrigin() {
    return currentContext().eventOrigin;
}

long eventCode() {
    return currentContext().eventCode;
}

// ---- Monitor threads ----------------------------------------------------
namespace {
std::atomic<bool> leftRunning(false);
}

struct MonitorThread::State {
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    std::string name;
};

MonitorThread::~MonitorThread() {
    if (thread_.joinable()) {
        if (running())
            thread_.detach();
        else
            thread_.join();
    }
}

bool MonitorThread::start(const std::string& name, unsigned group, unsigned position,
                          void (*routine)()) {
    if (routine == 0 || thread_.joinable())
        return false;
    std::shared_ptr<State> state = std::make_shared<State>();
    state->name = name;
    int priority = priorities().service(group, position);
    try {
        thread_ = std::thread([state, routine, priority]() {
            setCurrentPriority(priority);
            applyThreadPriority(priority);
            currentContext().section = state->name;
            try {
                routine();
            } catch (const std::exception& e) {
                userLog("monitor " + state->name + " ended by an exception: " + e.what());
            } catch (...) {
                userLog("monitor " + state->name + " ended by an exception");
            }
            {
                std::lock_guard<std::mutex> lock(state->mutex);
                state->done = true;
            }
            state->ended.notify_all();
        });
    } catch (const std::system_error& e) {
        userLog("monitor " + name + " could not be started: " + e.what());
        return false;
    }
    state_ = state;
    return true;
}

bool MonitorThread::join(double milliseconds) {
    if (!state_ || !thread_.joinable())
        return true;
    bool done;
    {
        std::unique_lock<std::mutex> lock(state_->mutex);
        State* s = state_.get();
        done = waitFor(state_->ended, lock, milliseconds, [s] { return s->done; });
    }
    if (!done) {
        userLog("monitor " + state_->name + " did not end; it is left running");
        leftRunning = true;
        thread_.detach();
        return false;
    }
    thread_.join();
    return true;
}

bool MonitorThread::running() const {
    if (!state_)
        return false;
    std::lock_guard<std::mutex> lock(state_->mutex);
    return !state_->done;
}

bool monitorsLeftRunning() {
    return leftRunning;
}

// ---- Local channels -----------------------------------------------------
namespace {

const int kMaxChannels = 64;
const long kMaxMessage = 8192 - 12;  // payload; 12 bytes carry the send time

struct Channel {
    mqd_t queue = static_cast<mqd_t>(-1);
    std::string path;
};

struct ChannelTable {
    std::mutex mutex;
    Channel channels[kMaxChannels];
};

ChannelTable& channelTable() {
    static ChannelTable t;
    return t;
}

bool channelName(const std::string& name, std::string& path) {
    if (name.empty() || name.size() > 200)
        return false;
    path = "/orven_";
    for (size_t i = 0; i < name.size(); ++i) {
        char c = name[i];
        bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                  c == '_' || c == '-' || c == '.';
        path += ok ? c : '_';
    }
    return true;
}

mqd_t queueOf(int id) {
    ChannelTable& t = channelTable();
    std::lock_guard<std::mutex> lock(t.mutex);
    if (id < 0 || id >= kMaxChannels)
        return static_cast<mqd_t>(-1);
    return t.channels[id].queue;
}

struct timespec deadlineAfter(long ms) {
    struct timespec ts;
    ::clock_gettime(CLOCK_REALTIME, &ts);
    ts.tv_sec += ms / 1000;
    ts.tv_nsec += (ms % 1000) * 1000000L;
    if (ts.tv_nsec >= 1000000000L) {
        ts.tv_nsec -= 1000000000L;
        ts.tv_sec += 1;
    }
    return ts;
}

}  // namespace

int activateLocalChannel(int id, const std::string& name, bool create) {
    std::string path;
    if (id < 0 || id >= kMaxChannels || !channelName(name, path))
        return -1;
    ChannelTable& t = channelTable();
    std::lock_guard<std::mutex> lock(t.mutex);
    if (t.channels[id].queue != static_cast<mqd_t>(-1))
        return -2;
    struct mq_attr attr;
    std::memset(&attr, 0, sizeof attr);
    attr.mq_maxmsg = 10;
    attr.mq_msgsize = kMaxMessage + 12;
    mqd_t q = create ? ::mq_open(path.c_str(), O_RDWR | O_CREAT, 0600, &attr)
                     : ::mq_open(path.c_str(), O_RDWR);
    if (q == static_cast<mqd_t>(-1)) {
        userLog("local channel " + name + " could not be opened: " + std::strerror(errno));
        return -3;
    }
    t.channels[id].queue = q;
    t.channels[id].path = path;
    return 0;
}

int deactivateLocalChannel(int id, bool remove) {
    ChannelTable& t = channelTable();
    std::lock_guard<std::mutex> lock(t.mutex);
    if (id < 0 || id >= kMaxChannels || t.channels[id].queue == static_cast<mqd_t>(-1))
        return -1;
    ::mq_close(t.channels[id].queue);
    if (remove)
        ::mq_unlink(t.channels[id].path.c_str());
    t.channels[id].queue = static_cast<mqd_t>(-1);
    t.channels[id].path.clear();
    return 0;
}

int sendLocalMessage(int id, const std::string& data, long length, unsigned priority,
                     long timeoutMs) {
    mqd_t q = queueOf(id);
    if (q == static_cast<mqd_t>(-1))
        return -1;
    size_t n = length <= 0
                   ? data.size()
                   : (static_cast<size_t>(length) < data.size() ? static_cast<size_t>(length)
                                                                : data.size());
    if (n > static_cast<size_t>(kMaxMessage))
        return -2;
    if (priority > 31)
        priority = 31;
    bool ending = shutdownRequested();
    Time now = currentTime();
    std::string buf(12 + n, '\0');
    long long secs = now.seconds;
    int usecs = static_cast<int>(now.microseconds);
    std::memcpy(&buf[0], &secs, 8);
    std::memcpy(&buf[8], &usecs, 4);
    if (n > 0)
        std::memcpy(&buf[12], data.data(), n);
    for (;;) {
        // Wait in slices so that a shutdown of the module ends the wait.
        long slice = timeoutMs > 0 && timeoutMs < 200 ? timeoutMs : 200;
        struct timespec ts = deadlineAfter(slice);
        if (::mq_timedsend(q, buf.data(), buf.size(), priority, &ts) == 0)
            return 0;
        if (errno != ETIMEDOUT && errno != EINTR)
            return -3;
        if (errno == ETIMEDOUT && timeoutMs > 0) {
            timeoutMs -= slice;
            if (timeoutMs <= 0)
                return -4;
        }
        if (!ending && shutdownRequested())
            return -4;
    }
}

int receiveLocalMessage(int id, long maxLength, long timeoutMs, std::string& data, Time& when,
                        unsigned& priority) {
    mqd_t q = queueOf(id);
    if (q == static_cast<mqd_t>(-1))
        return -1;
    struct mq_attr attr;
    if (::mq_getattr(q, &attr) != 0)
        return -3;
    std::vector<char> buf(static_cast<size_t>(attr.mq_msgsize) + 1);
    bool ending = shutdownRequested();
    for (;;) {
        long slice = timeoutMs > 0 && timeoutMs < 200 ? timeoutMs : 200;
        struct timespec ts = deadlineAfter(slice);
        unsigned prio = 0;
        ssize_t got = ::mq_timedreceive(q, buf.data(), buf.size(), &prio, &ts);
        if (got >= 12) {
            long long secs = 0;
            int usecs = 0;
            std::memcpy(&secs, buf.data(), 8);
            std::memcpy(&usecs, buf.data() + 8, 4);
            size_t n = static_cast<size_t>(got) - 12;
            if (maxLength >= 0 && n > static_cast<size_t>(maxLength))
                n = static_cast<size_t>(maxLength);
            data.assign(buf.data() + 12, n);
            when.seconds = secs;
            when.microseconds = usecs;
            priority = prio;
            return 0;
        }
        if (got >= 0)
            continue;  // not one of ours: skip it
        if (errno != ETIMEDOUT && errno != EINTR)
            return -3;
        if (errno == ETIMEDOUT && timeoutMs > 0) {
            timeoutMs -= slice;
            if (timeoutMs <= 0)
                return -4;
        }
        if (!ending && shutdownRequested())
            return 1;
    }
}

void deactivateAllLocalChannels() {
    for (int i = 0; i < kMaxChannels; ++i)
        deactivateLocalChannel(i, false);
}

}  // namespace ORVEN
