// VOXL run-time support of ORVEN modules: real-time platform.
// Time stamps, suspension, time differences, priorities of the application.
#ifndef ORVEN_VOXL_RT_H_INCLUDED
#define ORVEN_VOXL_RT_H_INCLUDED

#include <string>
#include <vector>

namespace ORVEN {

// A time stamp: seconds and microseconds since 1970-01-01 00:00:00 UTC.
struct Time {
    long long seconds;
    long microseconds;
};

Time currentTime();

// ds, dus := (s2, us2) - (s1, us1), normalised to 0 <= dus < 1000000 (a
// negative difference has negative seconds: -0.25 s is -1 s + 750000 us).
void diffTimes(long long s1, long us1, long long s2, long us2, long long& ds, long& dus);

double millisecondsBetween(const Time& from, const Time& to);

// Suspends the calling thread for seconds + microseconds. 0 after the whole
// time, 1 when the module began to shut down first, -1 for a negative time.
int rtSuspend(long long seconds, long microseconds);

// The priority string of a module in an application, for example
// "M14:19,G0S0:15,G0S1:*": the module's band, then the absolute priority of
// the service at group g, position s ("*": the service has no priority of its
// own and runs at the priority of its caller).
class PriorityTable {
  public:
    // Parses the text; false (and the table unchanged) when it is malformed.
    bool parse(const std::string& text);
    bool present() const { return present_; }
    int lowest() const { return lowest_; }
    int highest() const { return highest_; }
    // The absolute priority of service (g, s); -1 when unknown or "*".
    int service(unsigned group, unsigned position) const;
    void clear();

  private:
    struct Entry {
        unsigned group;
        unsigned position;
        int priority;
    };
    bool present_ = false;
    int lowest_ = -1;
    int highest_ = -1;
    std::vector<Entry> entries_;
};

// The table of this process, filled from the command line at start-up.
PriorityTable& priorities();

// Priority of the work the calling thread does at the moment (-1: default);
// requests made by the thread carry it to the services they call.
void setCurrentPriority(int priority);
int currentPriority();

// Orders the calling thread within the module's band: the highest priority
// of the band runs at the normal level, lower ones are niced accordingly.
// False when the priority is unknown or the system refuses.
bool applyThreadPriority(int priority);

}  // namespace ORVEN

#endif
