// VOXL communications platform on omniORB.
#include "orven_comms.h"

#include <omniORB4/CORBA.h>
#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <cstdlib>
#include <map>
#include <mutex>
#include <omniORB4/Naming.hh>
#include <sstream>
#include <thread>
#include <vector>

namespace ORVEN {

namespace {

struct LocalHandler {
    std::string producer;  // identifier of the producing module
    ::CORBA::Long code;
    unsigned group;
    unsigned position;
    std::string name;
    HandlerFunction function;
    bool subscribed;  // remote producers: subscription done
};

struct Subscriber {
    std::string name;
    ::CORBA::Long code;
    BetaEventHandler_var handler;
};

struct Shared {
    std::mutex mutex;
    Runtime* runtime = 0;
    std::vector<LocalHandler> handlers;
    std::vector<Subscriber> subscribers;
    std::map<std::string, ::CORBA::Object_var> dependencies;
    std::atomic<unsigned long> sequence{0};
    std::atomic<long> timeoutMs{0};
};

Shared& shared() {
    static Shared s;
    return s;
}

std::string exceptionName(const ::CORBA::Exception& e) {
    const char* n = e._name();
    return n != 0 ? n : "CORBA exception";
}

// "ORVEN::Camera::Moved" -> "Camera"; "" when the text has another shape.
std::string producerOf(const std::string& codeText) {
    const std::string prefix = "ORVEN::";
    if (codeText.compare(0, prefix.size(), prefix) != 0)
        return std::string();
    size_t end = codeText.find("::", prefix.size());
    if (end == std::string::npos)
        return std::string();
    return codeText.substr(prefix.size(), end - prefix.size());
}

// Runs the handlers of (producer, code) in the calling thread; their number.
int dispatchLocal(const std::string& producer, const std::string& origin, ::CORBA::Long code,
                  const EnteringInfo& info) {
    std::vector<LocalHandler> chosen;
    {
        Shared& s = shared();
        std::lock_guard<std::mutex> lock(s.mutex);
        for (size_t i = 0; i < s.handlers.size(); ++i) {
            if (s.handlers[i].producer == producer && s.handlers[i].code == code)
                chosen.push_back(s.handlers[i]);
        }
    }
    for (size_t i = 0; i < chosen.size(); ++i) {
        SectionContext& ctx = currentContext();
        SectionContext saved = ctx;
        ctx.eventOrigin = origin;
        ctx.eventCode = code;
        EnteringInfo copy = info;
        try {
            chosen[i].function(origin.c_str(), copy);
        } catch (const ::CORBA::Exception& e) {
            userLog("handler " + chosen[i].name + " failed: " + exceptionName(e));
        } catch (const std::exception& e) {
            userLog("handler " + chosen[i].name + " failed: " + e.what());
        } catch (...) {
            userLog("handler " + chosen[i].name + " failed");
        }
        ctx = saved;
    }
    return static_cast<int>(chosen.size());
}

}  // namespace

// ---- Runtime ------------------------------------------------------------

struct Runtime::Impl {
    ::CORBA::ORB_var orb;
    PortableServer::POA_var poa;
    CosNaming::NamingContext_var naming;
    ::CORBA::Object_var self;
    PortableServer::ObjectId_var selfId;
    BetaEventHandler_var selfHandler;
    std::string name;
    std::string identifier;
    bool bound = false;
    double waitSeconds = 10.0;
    std::atomic<bool> startupDone{false};
    std::atomic<bool> closing{false};
    std::mutex startupMutex;
    std::condition_variable startupCv;
    pthread_t signalThread;
    bool signalThreadStarted = false;
    std::atomic<bool> finishing{false};
    std::thread subscriber;
    int exitCode = 0;
};

namespace {

void* signalWatcher(void* arg) {
    Runtime::Impl* impl = static_cast<Runtime::Impl*>(arg);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    for (;;) {
        int sig = 0;
        if (sigwait(&set, &sig) != 0)
            continue;
        if (impl->finishing)
            return 0;
        std::ostringstream o;
        o << "signal " << sig << " received: shutting down";
        userLog(o.str());
        requestShutdown();
    }
}

bool isPriorityString(const std::string& a) {
    return a.size() > 3 && a[0] == 'M' && a[1] >= '0' && a[1] <= '9' &&
           a.find(':') != std::string::npos;
}

}  // namespace

Runtime::Runtime(int& argc, char** argv, const char* name, const char* identifier, unsigned groups,
                 unsigned maxServicesPerGroup)
    : impl_(new Impl), started_(false) {
    (void)groups;
    (void)maxServicesPerGroup;
    impl_->name = name != 0 ? name : "";
    impl_->identifier = identifier != 0 ? identifier : "";
    setModuleIdentity(impl_->name, impl_->identifier);
    resetShutdown();
    {
        std::lock_guard<std::mutex> lock(shared().mutex);
        shared().runtime = this;
    }

    // The signals of shutdown go to one watcher thread; every thread made
    // from now on (the ORB's as well) inherits the blocked mask.
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &set, 0);
    impl_->signalThreadStarted = pthread_create(&impl_->signalThread, 0, signalWatcher, impl_) == 0;

    try {
        impl_->orb = ::CORBA::ORB_init(argc, argv);
        ::CORBA::Object_var obj = impl_->orb->resolve_initial_references("RootPOA");
        impl_->poa = PortableServer::POA::_narrow(obj);
        PortableServer::POAManager_var manager = impl_->poa->the_POAManager();
        manager->activate();
    } catch (const ::CORBA::Exception& e) {
        userLog("the ORB could not be initialised: " + exceptionName(e));
        return;
    }

    // Our own options; what is left is the module's command line.
    std::vector<char*> rest;
    rest.push_back(argc > 0 ? argv[0] : 0);
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "-ORVENpriorities" && i + 1 < argc) {
            if (!priorities().parse(argv[++i]))
                userLog(std::string("priority string not understood: ") + argv[i]);
        } else if (isPriorityString(a)) {
            if (!priorities().parse(a))
                userLog("priority string not understood: " + a);
        } else if (a == "-ORVENuserlog" && i + 1 < argc) {
            if (!setUserLogFile(argv[++i]))
                userLog(std::string("user log file cannot be opened: ") + argv[i]);
        } else if (a == "-ORVENwait" && i + 1 < argc) {
            impl_->waitSeconds = std::atof(argv[++i]);
        } else {
            rest.push_back(argv[i]);
        }
    }
    setArguments(static_cast<int>(rest.size()), rest.data());
    if (priorities().present())
        setCurrentPriority(priorities().highest());

    try {
        ::CORBA::Object_var obj = impl_->orb->resolve_initial_references("NameService");
        impl_->naming = CosNaming::NamingContext::_narrow(obj);
    } catch (const ::CORBA::Exception& e) {
        userLog("no naming service (" + exceptionName(e) +
                "): the module is not reachable by name");
    }
    started_ = true;
}

Runtime::~Runtime() {
    if (impl_->subscriber.joinable()) {
        requestShutdown();
        impl_->subscriber.join();
    }
    if (impl_->signalThreadStarted) {
        impl_->finishing = true;
        pthread_kill(impl_->signalThread, SIGTERM);
        pthread_join(impl_->signalThread, 0);
    }
    {
        std::lock_guard<std::mutex> lock(shared().mutex);
        if (shared().runtime == this)
            shared().runtime = 0;
        shared().handlers.clear();
        shared().subscribers.clear();
        shared().dependencies.clear();
    }
    delete impl_;
}

Runtime* Runtime::instance() {
    std::lock_guard<std::mutex> lock(shared().mutex);
    return shared().runtime;
}

::CORBA::ORB_ptr Runtime::orb() const {
    return impl_->orb.in();
}

namespace {

CosNaming::Name nameOf(const std::string& identifier) {
    CosNaming::Name n;
    n.length(1);
    n[0].id = ::CORBA::string_dup(identifier.c_str());
    n[0].kind = ::CORBA::string_dup("OXA");
    return n;
}

}  // namespace

::CORBA::Object_var Runtime::resolveModule(const char* name, const char* identifier) {
    std::string id = identifier != 0 && *identifier != '\0' ? identifier : (name != 0 ? name : "");
    if (::CORBA::is_nil(impl_->naming)) {
        userLog("module " + id + " cannot be resolved without a naming service");
        return ::CORBA::Object::_nil();
    }
    Time start = currentTime();
    for (;;) {
        try {
            ::CORBA::Object_var obj = impl_->naming->resolve(nameOf(id));
            return obj;
        } catch (const CosNaming::NamingContext::NotFound&) {
        } catch (const ::CORBA::Exception& e) {
            userLog("module " + id + " cannot be resolved: " + exceptionName(e));
            return ::CORBA::Object::_nil();
        }
        if (millisecondsBetween(start, currentTime()) >= impl_->waitSeconds * 1000.0 ||
            waitForShutdown(250.0)) {
            userLog("module " + id + " not found in the naming service");
            return ::CORBA::Object::_nil();
        }
    }
}

void Runtime::registerDependency(const char* name, ::CORBA::Object_ptr object) {
    if (name == 0)
        return;
    std::lock_guard<std::mutex> lock(shared().mutex);
    shared().dependencies[name] = ::CORBA::Object::_duplicate(object);
}

::CORBA::Object_var Runtime::dependency(const std::string& name) const {
    std::lock_guard<std::mutex> lock(shared().mutex);
    std::map<std::string, ::CORBA::Object_var>::const_iterator it =
        shared().dependencies.find(name);
    if (it == shared().dependencies.end())
        return ::CORBA::Object::_nil();
    return ::CORBA::Object::_duplicate(it->second.in());
}

bool Runtime::activate(ModuleServant* servant) {
    if (!started_ || servant == 0)
        return false;
    try {
        impl_->selfId = impl_->poa->activate_object(servant);
        servant->_remove_ref();
        impl_->self = impl_->poa->id_to_reference(impl_->selfId.in());
        impl_->selfHandler = BetaEventHandler::_narrow(impl_->self);
    } catch (const ::CORBA::Exception& e) {
        userLog("the servant could not be activated: " + exceptionName(e));
        return false;
    }
    if (!::CORBA::is_nil(impl_->naming)) {
        try {
            impl_->naming->rebind(nameOf(impl_->identifier), impl_->self);
            impl_->bound = true;
        } catch (const ::CORBA::Exception& e) {
            userLog("the module could not be bound in the naming service: " + exceptionName(e));
        }
    }
    return true;
}

::CORBA::Object_var Runtime::selfReference() {
    return ::CORBA::Object::_duplicate(impl_->self.in());
}

void Runtime::registerHandler(const char* codeText, ::CORBA::Long code, unsigned group,
                              unsigned position, const char* handlerName, HandlerFunction handler) {
    LocalHandler h;
    h.producer = producerOf(codeText != 0 ? codeText : "");
    if (h.producer.empty())
        h.producer = impl_->identifier;
    h.code = code;
    h.group = group;
    h.position = position;
    h.name = handlerName != 0 ? handlerName : "";
    h.function = handler;
    h.subscribed = h.producer == impl_->identifier;
    std::lock_guard<std::mutex> lock(shared().mutex);
    shared().handlers.push_back(h);
}

namespace {

// Subscribes the handlers of other producers, retrying until each producer
// has taken the subscription or the module shuts down.
void subscribeLoop(Runtime::Impl* impl) {
    for (;;) {
        std::vector<std::pair<std::string, ::CORBA::Long>> pending;
        {
            std::lock_guard<std::mutex> lock(shared().mutex);
            for (size_t i = 0; i < shared().handlers.size(); ++i) {
                if (!shared().handlers[i].subscribed)
                    pending.push_back(
                        std::make_pair(shared().handlers[i].producer, shared().handlers[i].code));
            }
        }
        if (pending.empty() || ::CORBA::is_nil(impl->naming))
            return;
        for (size_t i = 0; i < pending.size(); ++i) {
            bool ok = false;
            try {
                ::CORBA::Object_var obj = impl->naming->resolve(nameOf(pending[i].first));
                BetaEventProducer_var producer = BetaEventProducer::_narrow(obj);
                if (!::CORBA::is_nil(producer))
                    ok = producer->orven_subscribe(impl->identifier.c_str(), pending[i].second,
                                                   impl->selfHandler.in());
            } catch (const ::CORBA::Exception&) {
                ok = false;
            }
            if (ok) {
                std::lock_guard<std::mutex> lock(shared().mutex);
                for (size_t k = 0; k < shared().handlers.size(); ++k) {
                    if (shared().handlers[k].producer == pending[i].first &&
                        shared().handlers[k].code == pending[i].second)
                        shared().handlers[k].subscribed = true;
                }
            }
        }
        if (waitForShutdown(1000.0))
            return;
    }
}

}  // namespace

void Runtime::runStartup(const std::function<void()>& startup) {
    runSection(startup);
    {
        std::lock_guard<std::mutex> lock(impl_->startupMutex);
        impl_->startupDone = true;
    }
    impl_->startupCv.notify_all();
    if (started_)
        impl_->subscriber = std::thread(subscribeLoop, impl_);
}

void Runtime::runSection(const std::function<void()>& section) {
    try {
        section();
    } catch (const ::CORBA::Exception& e) {
        userLog("code section ended by " + exceptionName(e));
        impl_->exitCode = 1;
    } catch (const std::exception& e) {
        userLog(std::string("code section ended by an exception: ") + e.what());
        impl_->exitCode = 1;
    } catch (...) {
        userLog("code section ended by an exception");
        impl_->exitCode = 1;
    }
}

bool Runtime::startupDone() const {
    return impl_->startupDone;
}

void Runtime::serveUntilShutdown() {
    waitForShutdown(-1.0);
}

void Runtime::finishPendingRequests(double milliseconds) {
    impl_->closing = true;
    impl_->startupCv.notify_all();
    if (!waitNoPendingRequests(milliseconds)) {
        std::ostringstream o;
        o << pendingRequests() << " request(s) still pending at shutdown";
        userLog(o.str());
    }
}

int Runtime::finish() {
    impl_->closing = true;
    requestShutdown();
    if (impl_->subscriber.joinable())
        impl_->subscriber.join();
    deactivateAllLocalChannels();
    if (impl_->bound) {
        try {
            impl_->naming->unbind(nameOf(impl_->identifier));
        } catch (const ::CORBA::Exception&) {
        }
        impl_->bound = false;
    }
    if (monitorsLeftRunning()) {
        // A monitor thread may still use the ORB: end without tearing down.
        std::fflush(0);
        std::_Exit(impl_->exitCode);
    }
    try {
        if (impl_->selfId.operator->() != 0)
            impl_->poa->deactivate_object(impl_->selfId.in());
        if (!::CORBA::is_nil(impl_->orb))
            impl_->orb->destroy();
    } catch (const ::CORBA::Exception& e) {
        userLog("the ORB did not end cleanly: " + exceptionName(e));
    }
    return impl_->exitCode;
}

void Runtime::setCommunicationTimeout(unsigned long milliseconds) {
    shared().timeoutMs = static_cast<long>(milliseconds);
    omniORB::setClientCallTimeout(static_cast<::CORBA::ULong>(milliseconds));
}

unsigned long Runtime::communicationTimeout() const {
    return static_cast<unsigned long>(shared().timeoutMs.load());
}

bool Runtime::closing() const {
    return impl_->closing;
}

// ---- ModuleServant -------------------------------------------------------

ModuleServant::ModuleServant(const char*, const char*) {}

ModuleServant::~ModuleServant() {}

::CORBA::Boolean ModuleServant::orven_subscribe(const char* subscriber, ::CORBA::Long eventcode,
                                                BetaEventHandler_ptr handler) {
    if (subscriber == 0 || ::CORBA::is_nil(handler))
        return 0;
    Shared& s = shared();
    std::lock_guard<std::mutex> lock(s.mutex);
    for (size_t i = 0; i < s.subscribers.size(); ++i) {
        if (s.subscribers[i].name == subscriber && s.subscribers[i].code == eventcode) {
            s.subscribers[i].handler = ::ORVEN::BetaEventHandler::_duplicate(handler);
            return 1;
        }
    }
    Subscriber sub;
    sub.name = subscriber;
    sub.code = eventcode;
    sub.handler = ::ORVEN::BetaEventHandler::_duplicate(handler);
    s.subscribers.push_back(sub);
    return 1;
}

void ModuleServant::orven_unsubscribe(const char* subscriber, ::CORBA::Long eventcode) {
    if (subscriber == 0)
        return;
    Shared& s = shared();
    std::lock_guard<std::mutex> lock(s.mutex);
    for (size_t i = 0; i < s.subscribers.size();) {
        if (s.subscribers[i].name == subscriber && s.subscribers[i].code == eventcode)
            s.subscribers.erase(s.subscribers.begin() + static_cast<long>(i));
        else
            ++i;
    }
}

void ModuleServant::orven_deliver(const char* origin, ::CORBA::Long eventcode,
                                  const EnteringInfo& info) {
    std::string from = origin != 0 ? origin : "";
    dispatchLocal(from, from, eventcode, info);
}

char* ModuleServant::orven_name() {
    return ::CORBA::string_dup(moduleName().c_str());
}

ModuleInfo* ModuleServant::orven_info() {
    ModuleInfo* mi = new ModuleInfo;
    mi->name = ::CORBA::string_dup(moduleName().c_str());
    mi->identifier = ::CORBA::string_dup(moduleIdentifier().c_str());
    mi->version = ::CORBA::string_dup(VERSION);
    mi->lowestPriority = priorities().lowest();
    mi->highestPriority = priorities().highest();
    mi->pendingRequests = pendingRequests();
    std::lock_guard<std::mutex> lock(shared().mutex);
    mi->handledEvents.length(static_cast<::CORBA::ULong>(shared().handlers.size()));
    for (size_t i = 0; i < shared().handlers.size(); ++i) {
        std::ostringstream o;
        o << shared().handlers[i].producer << ":" << shared().handlers[i].code;
        mi->handledEvents[static_cast<::CORBA::ULong>(i)] = ::CORBA::string_dup(o.str().c_str());
    }
    return mi;
}

// ---- Requests ------------------------------------------------------------

EnteringInfo makeEnteringInfo(double minMs, double maxMs) {
    EnteringInfo info;
    info.caller = ::CORBA::string_dup(moduleName().c_str());
    info.callerSection = ::CORBA::string_dup(currentContext().section.c_str());
    info.priority = currentPriority();
    if (minMs < 0.0)
        minMs = maxMs = -1.0;
    if (maxMs >= 0.0 && maxMs < minMs)
        maxMs = minMs;
    info.timeMin = static_cast<::CORBA::Float>(minMs);
    info.timeMax = static_cast<::CORBA::Float>(maxMs < 0.0 ? -1.0 : maxMs);
    Time now = currentTime();
    info.sent.seconds = now.seconds;
    info.sent.microseconds = now.microseconds;
    info.number = static_cast<::CORBA::ULong>(++shared().sequence);
    return info;
}

EnteringInfo monitorEnteringInfo(const char* service, unsigned group, unsigned position) {
    EnteringInfo info = makeEnteringInfo(-1.0, -1.0);
    info.callerSection = ::CORBA::string_dup(service != 0 ? service : "");
    info.priority = priorities().service(group, position);
    return info;
}

Request::Request(const char* service, const char* module, double minMs, double maxMs,
                 long timeoutMs)
    : info_(makeEnteringInfo(minMs, maxMs)),
      service_(service != 0 ? service : ""),
      module_(module != 0 ? module : ""),
      minMs_(info_.timeMin),
      maxMs_(info_.timeMax),
      ownTimeout_(timeoutMs > 0) {
    sent_.seconds = info_.sent.seconds;
    sent_.microseconds = info_.sent.microseconds;
    if (ownTimeout_)
        omniORB::setClientThreadCallTimeout(static_cast<::CORBA::ULong>(timeoutMs));
}

Request::~Request() {
    if (ownTimeout_)
        omniORB::setClientThreadCallTimeout(0);
}

int Request::done() {
    Time now = currentTime();
    currentContext().lastCommunication = now;
    double elapsed = millisecondsBetween(sent_, now);
    int r = checkTimeRestriction("request of " + service_ + " of module " + module_, elapsed,
                                 minMs_, maxMs_);
    return r == 1 ? 1 : 0;
}

int Request::failed(const ::CORBA::Exception& e) {
    currentContext().lastCommunication = currentTime();
    std::string what = exceptionName(e);
    userLog("request of " + service_ + " of module " + module_ + " failed: " + what);
    if (what == "TIMEOUT")
        return -2;
    if (what == "NO_PERMISSION")
        return -4;
    return -1;
}

int Request::noObject() {
    userLog("request of " + service_ + " of module " + module_ +
            " impossible: the module's object is not available");
    return -3;
}

// ---- Scopes --------------------------------------------------------------

ServiceScope::ServiceScope(const char* service, const EnteringInfo& info, unsigned group,
                           unsigned position, bool serialize)
    : service_(service != 0 ? service : ""),
      timeMin_(info.timeMin),
      timeMax_(info.timeMax),
      serialize_(serialize),
      locked_(false),
      first_(true),
      counted_(false),
      savedPriority_(currentPriority()),
      savedContext_(currentContext()) {
    Runtime* rt = Runtime::instance();
    if (rt != 0 && rt->closing())
        throw ::CORBA::TRANSIENT(0, ::CORBA::COMPLETED_NO);
    // Calls from other modules wait for the end of the startup logic.
    std::string caller = info.caller.in() != 0 ? info.caller.in() : "";
    while (rt != 0 && !rt->startupDone() && caller != moduleName()) {
        if (rt->closing() || waitForShutdown(20.0))
            throw ::CORBA::TRANSIENT(0, ::CORBA::COMPLETED_NO);
    }
    beginRequest();
    counted_ = true;
    int own = priorities().service(group, position);
    setCurrentPriority(own >= 0 ? own : static_cast<int>(info.priority));
    SectionContext& ctx = currentContext();
    ctx.section = service_;
    ctx.terminated = false;
    if (serialize_) {
        serviceLock().lock();
        locked_ = true;
    }
    start_ = currentTime();
}

void ServiceScope::endExecution() {
    checkTimeRestriction("service " + service_, millisecondsBetween(start_, currentTime()),
                         timeMin_, timeMax_);
}

ServiceScope::~ServiceScope() {
    if (!first_ || timeMin_ >= 0.0 || timeMax_ >= 0.0)
        endExecution();
    if (locked_)
        serviceLock().unlock();
    if (counted_)
        endRequest();
    currentContext() = savedContext_;
    setCurrentPriority(savedPriority_);
}

bool ServiceScope::repeat() {
    if (first_) {
        first_ = false;
        return !currentContext().terminated && !shutdownRequested();
    }
    endExecution();
    if (locked_) {
        serviceLock().unlock();
        locked_ = false;
    }
    if (currentContext().terminated || shutdownRequested())
        return false;
    std::this_thread::yield();
    if (serialize_) {
        serviceLock().lock();
        locked_ = true;
    }
    start_ = currentTime();
    return true;
}

void ServiceScope::terminate() {
    currentContext().terminated = true;
}

SectionScope::SectionScope(const char* section, double minMs, double maxMs)
    : section_(section != 0 ? section : ""),
      minMs_(minMs),
      maxMs_(maxMs),
      savedSection_(currentContext().section),
      start_(currentTime()) {
    currentContext().section = section_;
}

SectionScope::~SectionScope() {
    checkTimeRestriction(section_, millisecondsBetween(start_, currentTime()), minMs_, maxMs_);
    currentContext().section = savedSection_;
}

void refuseCall(const char* service) {
    userLog(std::string("service ") + (service != 0 ? service : "") +
            " is not callable by other modules: call refused");
    throw ::CORBA::NO_PERMISSION(0, ::CORBA::COMPLETED_NO);
}

// ---- Signals -------------------------------------------------------------

int sendBetaEvent(::CORBA::Long code) {
    if (Runtime::instance() == 0)
        return -1;
    std::string self = moduleIdentifier();
    EnteringInfo info = makeEnteringInfo(-1.0, -1.0);
    int reached = dispatchLocal(self, self, code, info);
    std::vector<Subscriber> targets;
    {
        std::lock_guard<std::mutex> lock(shared().mutex);
        for (size_t i = 0; i < shared().subscribers.size(); ++i) {
            if (shared().subscribers[i].code == code)
                targets.push_back(shared().subscribers[i]);
        }
    }
    for (size_t i = 0; i < targets.size(); ++i) {
        if (targets[i].name == self)
            continue;  // handled locally above
        try {
            targets[i].handler->orven_deliver(self.c_str(), code, info);
            ++reached;
        } catch (const ::CORBA::Exception& e) {
            userLog("beta event " + std::to_string(code) + " not delivered to " + targets[i].name +
                    " (" + exceptionName(e) + "): subscription dropped");
            std::lock_guard<std::mutex> lock(shared().mutex);
            for (size_t k = 0; k < shared().subscribers.size();) {
                if (shared().subscribers[k].name == targets[i].name &&
                    shared().subscribers[k].code == code)
                    shared().subscribers.erase(shared().subscribers.begin() + static_cast<long>(k));
                else
                    ++k;
            }
        }
    }
    return reached;
}

int sendNotification(::CORBA::Long code) {
    if (Runtime::instance() == 0)
        return -1;
    std::string self = moduleIdentifier();
    EnteringInfo info = makeEnteringInfo(-1.0, -1.0);
    return dispatchLocal(self, self, code, info);
}

// ---- Timing and checks ---------------------------------------------------

int setCommunicationTimeout(long milliseconds) {
    if (milliseconds < 0)
        return -1;
    shared().timeoutMs = milliseconds;
    omniORB::setClientCallTimeout(static_cast<::CORBA::ULong>(milliseconds));
    return 0;
}

long communicationTimeout() {
    return shared().timeoutMs;
}

Time lastCommunicationTime() {
    return currentContext().lastCommunication;
}

bool checkDisconnection() {
    std::vector<std::pair<std::string, ::CORBA::Object_var>> deps;
    {
        std::lock_guard<std::mutex> lock(shared().mutex);
        for (std::map<std::string, ::CORBA::Object_var>::const_iterator it =
                 shared().dependencies.begin();
             it != shared().dependencies.end(); ++it)
            deps.push_back(std::make_pair(it->first, ::CORBA::Object::_duplicate(it->second.in())));
    }
    bool lost = false;
    for (size_t i = 0; i < deps.size(); ++i) {
        bool gone = true;
        try {
            gone = ::CORBA::is_nil(deps[i].second) || deps[i].second->_non_existent();
        } catch (const ::CORBA::Exception&) {
            gone = true;
        }
        if (gone) {
            userLog("module " + deps[i].first + " cannot be reached");
            lost = true;
        }
    }
    return lost;
}

}  // namespace ORVEN
