// VOXL run-time support of ORVEN modules: execution platform.
// Module identity, command line, text output, shutdown state, critical
// zones, serialisation of services, pending requests, the context of the
// running section, monitor threads and local channels.
#ifndef ORVEN_VOXL_EXEC_H_INCLUDED
#define ORVEN_VOXL_EXEC_H_INCLUDED

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "orven_rt.h"

namespace ORVEN {

// ---- Module identity ----------------------------------------------------
void setModuleIdentity(const std::string& name, const std::string& identifier);
std::string moduleName();
std::string moduleIdentifier();

// ---- Command line -------------------------------------------------------
// The arguments of the program (after the ORB has taken its own).
void setArguments(int argc, char** argv);
// Finds "name value" or "name=value" among the arguments: 0 and the value
// ("" for a name that ends the command line), 1 when the name is absent.
int readArgument(const std::string& name, std::string& value);

// ---- User interaction ---------------------------------------------------
// Writes "[origin] text" as one line on standard output.
void outputText(const std::string& origin, const std::string& text);

// ---- Shutdown -----------------------------------------------------------
void requestShutdown();
bool shutdownRequested();
// Waits until shutdown is requested or the time has passed (negative: no
// limit); true when shutdown was requested.
bool waitForShutdown(double milliseconds);
// The shutdown atom: asks the module to end; 0.
int shutdownModule();
// Back to the running state (used by tests of the run time).
void resetShutdown();

// ---- Critical zones -----------------------------------------------------
// Zones are numbered from 0 in creation order and shared by the threads of
// the module. A zone is not recursive: entering a zone the thread already
// holds fails instead of blocking for ever.
// Creates count zones; the number of the first new zone, -1 for count < 1.
int createCriticalZones(int count);
// Destroys every zone; the number destroyed, -2 when a zone is held.
int destroyCriticalZones();
int numberOfCriticalZones();
// 0 entered; -1 no such zone; -2 already held by this thread; -3 the zone
// was destroyed while waiting; 1 the module shut down while waiting.
int enterCriticalZone(int zone);
// 0 left; -1 no such zone; -2 not held by this thread.
int leaveCriticalZone(int zone);

// ---- Services -----------------------------------------------------------
// The lock that serialises the non-reentrant services of the module.
std::mutex& serviceLock();

// Requests being served; finishPendingRequests of the run time waits for 0.
void beginRequest();
void endRequest();
unsigned pendingRequests();
// True when no request is pending any more; false after the time.
bool waitNoPendingRequests(double milliseconds);

// What the calling thread is running: a service or a code section.
struct SectionContext {
    std::string section;              // service or code section name, "" outside
    bool terminated = false;          // the terminate-service atom ran
    std::string eventOrigin;          // module that sent the event being handled
    long eventCode = 0;               // code of that event
    Time lastCommunication = {0, 0};  // when the last request was answered
};
SectionContext& currentContext();

// The terminate-service atom: ends the running service (a permanent one
// stops repeating).
void terminateService();
std::string eventOrigin();
long eventCode();

// ---- Monitor threads ----------------------------------------------------
class MonitorThread {
  public:
    MonitorThread() = default;
    ~MonitorThread();
    MonitorThread(const MonitorThread&) = delete;
    MonitorThread& operator=(const MonitorThread&) = delete;

    // Runs routine in a new thread at the priority of service (group,
    // position); false when the thread cannot be started.
    bool start(const std::string& name, unsigned group, unsigned position, void (*routine)());
    // Waits for the end of the routine; after the time limit the thread is
    // left running, reported in the user log, and false is returned.
    bool join(double milliseconds = 5000.0);
    bool running() const;

  private:
    struct State;
    std::shared_ptr<State> state_;
    std::thread thread_;
};

// True when a monitor did not end when it was joined: the process must then
// end without tearing down what that thread may still use.
bool monitorsLeftRunning();

// ---- Local channels -----------------------------------------------------
// Message channels between programs of the same machine, known by name.
// Up to 64 channels (numbers 0 to 63) per program.
// Opens channel number id on the named channel; create makes the channel
// when it does not exist. 0; -1 bad number or name; -2 already active; -3
// the system refused (the message tells why in the user log).
int activateLocalChannel(int id, const std::string& name, bool create);
// Closes channel id; remove also deletes the named channel. 0; -1 not active.
int deactivateLocalChannel(int id, bool remove);
// Sends length bytes of data (length <= 0: the whole text) with a priority
// from 0 (lowest) to 31. 0; -1 not active; -2 too long; -3 refused; -4 the
// channel stayed full for the timeout (milliseconds, <= 0: no limit).
int sendLocalMessage(int id, const std::string& data, long length, unsigned priority,
                     long timeoutMs = 0);
// Receives one message of at most maxLength bytes (longer ones are cut),
// waiting up to timeoutMs (<= 0: until a message comes or the module shuts
// down). 0; -1 not active; -3 refused; -4 timeout; 1 shutdown.
int receiveLocalMessage(int id, long maxLength, long timeoutMs, std::string& data, Time& when,
                        unsigned& priority);
void deactivateAllLocalChannels();

}  // namespace ORVEN

#endif
