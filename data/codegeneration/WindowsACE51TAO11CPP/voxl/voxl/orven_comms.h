// VOXL run-time support of ORVEN modules: communications platform.
// The ORB and the naming service, the module's servant base, requests with
// timing, beta events and notifications, timeouts, disconnection checks.
// Needs the client header of orven.idl (orvenC.h, written by tao_idl).
#ifndef ORVEN_VOXL_COMMS_H_INCLUDED
#define ORVEN_VOXL_COMMS_H_INCLUDED

#include <functional>
#include <string>

#include "orvenC.h"
#include "orven_exec.h"
#include "orven_ft.h"
#include "orven_rt.h"

namespace ORVEN {

// A handler service of the module: called with the producer's name.
typedef std::function<void(const char* origin, EnteringInfo& info)> HandlerFunction;

// Base of every module's servant: the operations of ORVEN::OxaModule.
class ModuleServant : public virtual POA_ORVEN::OxaModule {
  public:
    ModuleServant(const char* name, const char* identifier);
    virtual ~ModuleServant();

    ::CORBA::Boolean orven_subscribe(const char* subscriber, ::CORBA::Long eventcode,
                                     ::ORVEN::BetaEventHandler_ptr handler);
    void orven_unsubscribe(const char* subscriber, ::CORBA::Long eventcode);
    void orven_deliver(const char* origin, ::CORBA::Long eventcode,
                       const ::ORVEN::EnteringInfo& info);
    char* orven_name();
    ::ORVEN::ModuleInfo* orven_info();
};

// The run time of one module program; one instance, made by main.
class Runtime {
  public:
    // Initialises the ORB (which takes its -ORB options), reads the priority
    // string (an argument such as M14:19,G0S0:15 or -ORVENpriorities text),
    // -ORVENuserlog file and -ORVENwait seconds (how long dependencies are
    // waited for, 10 by default), and prepares the shutdown on SIGINT,
    // SIGTERM and SIGHUP.
    Runtime(int& argc, char** argv, const char* name, const char* identifier, unsigned groups,
            unsigned maxServicesPerGroup);
    ~Runtime();
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    static Runtime* instance();
    bool started() const { return started_; }
    ::CORBA::ORB_ptr orb() const;

    // The object bound in the naming service under the module identifier,
    // waited for up to the -ORVENwait time; nil when not found.
    ::CORBA::Object_var resolveModule(const char* name, const char* identifier);
    // Remembers a module depended on, for dynamic requests and checks.
    void registerDependency(const char* name, ::CORBA::Object_ptr object);
    ::CORBA::Object_var dependency(const std::string& name) const;

    // Activates the servant (the POA takes it over) and binds it in the
    // naming service under the module identifier.
    bool activate(ModuleServant* servant);
    ::CORBA::Object_var selfReference();

    // A handler of the event "ORVEN::<producer>::<event>" (codeText) with
    // the given code: events of the module itself are dispatched locally,
    // others are subscribed with their producer after the startup logic.
    void registerHandler(const char* codeText, ::CORBA::Long code, unsigned group,
                         unsigned position, const char* handlerName, HandlerFunction handler);

    // Runs the startup logic, then opens the module to requests from other
    // modules and subscribes the handlers.
    void runStartup(const std::function<void()>& startup);
    // Runs a code section, reporting what it throws.
    void runSection(const std::function<void()>& section);
    bool startupDone() const;
    // Blocks until shutdown is requested.
    void serveUntilShutdown();
    // Refuses new requests and waits for the pending ones.
    void finishPendingRequests(double milliseconds = 10000.0);
    // Unbinds, deactivates, destroys the ORB; the program's exit code.
    int finish();

    // Module-wide communication timeout (milliseconds, 0: none).
    void setCommunicationTimeout(unsigned long milliseconds);
    unsigned long communicationTimeout() const;
    bool closing() const;

    struct Impl;  // the ORB, POA, naming context and state of the program

  private:
    Impl* impl_;
    bool started_;
};

// ---- Requests -----------------------------------------------------------
// One request of a service: builds the entering information and measures
// the round trip against the time the caller expects.
class Request {
  public:
    Request(const char* service, const char* module, double minMs, double maxMs,
            long timeoutMs = -1);
    ~Request();
    Request(const Request&) = delete;
    Request& operator=(const Request&) = delete;

    const EnteringInfo& info() const { return info_; }
    // After the reply: 0 in time, 1 later than the maximum (reported).
    int done();
    // After an exception: -1 communication failure, -2 timeout, -4 the
    // service refused the call; reported in the user log.
    int failed(const ::CORBA::Exception& e);
    // The object of the target module is nil: -3, reported.
    int noObject();

  private:
    EnteringInfo info_;
    std::string service_;
    std::string module_;
    double minMs_;
    double maxMs_;
    bool ownTimeout_;
    Time sent_;
};

// ---- Services and code sections ----------------------------------------
// The scope of one execution of a service: counts it as pending, waits for
// the end of the startup logic (except for the module's own calls), takes
// the module's service lock when the service is not reentrant, sets the
// thread's context and priority, and reports an execution outside the time
// restriction that the caller expects. Throws CORBA::TRANSIENT when the
// module no longer accepts requests.
class ServiceScope {
  public:
    ServiceScope(const char* service, const EnteringInfo& info, unsigned group, unsigned position,
                 bool serialize);
    ~ServiceScope();
    ServiceScope(const ServiceScope&) = delete;
    ServiceScope& operator=(const ServiceScope&) = delete;

    // Loop condition of a permanent service: true for each new execution
    // until shutdown or terminate(); the lock is released between them.
    bool repeat();
    void terminate();

  private:
    void endExecution();
    std::string service_;
    float timeMin_;
    float timeMax_;
    bool serialize_;
    bool locked_;
    bool first_;
    bool counted_;
    int savedPriority_;
    SectionContext savedContext_;
    Time start_;
};

// The scope of a code section (startup, pre-ending, post-ending logic).
class SectionScope {
  public:
    explicit SectionScope(const char* section, double minMs = -1.0, double maxMs = -1.0);
    ~SectionScope();
    SectionScope(const SectionScope&) = delete;
    SectionScope& operator=(const SectionScope&) = delete;

  private:
    std::string section_;
    double minMs_;
    double maxMs_;
    std::string savedSection_;
    Time start_;
};

// Entering information of a monitor service started by the module itself.
EnteringInfo monitorEnteringInfo(const char* service, unsigned group, unsigned position);
// Entering information for a request issued by the calling thread.
EnteringInfo makeEnteringInfo(double minMs, double maxMs);

// The CORBA operation of a handler or monitor: it is never called by other
// modules; reports the attempt and throws CORBA::NO_PERMISSION.
void refuseCall(const char* service);

// ---- Signals -------------------------------------------------------------
// Sends a beta event of this module to its own handlers and to every
// subscribed module; the number of handlers reached, -1 before start-up.
int sendBetaEvent(::CORBA::Long code);
// Runs the module's own handlers of a notification; their number, -1
// before start-up.
int sendNotification(::CORBA::Long code);

// ---- Timing of communications ------------------------------------------
int setCommunicationTimeout(long milliseconds);  // 0; -1 for a negative time
long communicationTimeout();
// When the calling thread's last request was answered.
Time lastCommunicationTime();

// True when a module depended on can no longer be reached.
bool checkDisconnection();

}  // namespace ORVEN

#endif
