// The run-time support that generated module programs link (VOXL tree).
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "orven_voxl.h"

namespace {

// ---- Real time ------------------------------------------------------------

TEST(RuntimeTime, DiffTimesNormalisesTheDifference) {
    struct Case {
        long long s1;
        long us1;
        long long s2;
        long us2;
        long long ds;
        long dus;
    };
    const Case cases[] = {
        {10, 0, 12, 500000, 2, 500000},  {10, 750000, 11, 250000, 0, 500000},
        {12, 0, 11, 750000, -1, 750000}, {5, 5, 5, 5, 0, 0},
        {0, 2500000, 3, 0, 0, 500000},   {1, -1, 1, 0, 0, 1},
    };
    for (const Case& c : cases) {
        long long ds = 99;
        long dus = 99;
        ORVEN::diffTimes(c.s1, c.us1, c.s2, c.us2, ds, dus);
        EXPECT_EQ(ds, c.ds) << c.s1 << "." << c.us1 << " -> " << c.s2 << "." << c.us2;
        EXPECT_EQ(dus, c.dus) << c.s1 << "." << c.us1 << " -> " << c.s2 << "." << c.us2;
    }
    ORVEN::Time a = {100, 250000};
    ORVEN::Time b = {101, 0};
    EXPECT_DOUBLE_EQ(ORVEN::millisecondsBetween(a, b), 750.0);
    EXPECT_DOUBLE_EQ(ORVEN::millisecondsBetween(b, a), -750.0);
}

TEST(RuntimeTime, PriorityStringsAreReadOrRefusedWhole) {
    ORVEN::PriorityTable t;
    ASSERT_TRUE(t.parse("M14:19,G0S0:15,G0S1:*,G2S3:18"));
    EXPECT_TRUE(t.present());
    EXPECT_EQ(t.lowest(), 14);
    EXPECT_EQ(t.highest(), 19);
    EXPECT_EQ(t.service(0, 0), 15);
    EXPECT_EQ(t.service(0, 1), -1);
    EXPECT_EQ(t.service(2, 3), 18);
    EXPECT_EQ(t.service(5, 5), -1);
    ASSERT_TRUE(t.parse("M1:4"));
    EXPECT_EQ(t.service(0, 0), -1);

    const char* bad[] = {
        "",          "M",          "M1",        "M1:",         "X1:2",         "M1:2,",
        "M1:2,G0S0", "M1:2,G0S0:", "M1:2,G0:3", "M1:2;G0S0:3", "M1:2,G0S0:3x", "M1:99999999999"};
    for (const char* text : bad) {
        ORVEN::PriorityTable u;
        ASSERT_TRUE(u.parse("M7:9,G1S1:8"));
        EXPECT_FALSE(u.parse(text)) << text;
        EXPECT_EQ(u.lowest(), 7) << "a refused text must leave the table alone: " << text;
        EXPECT_EQ(u.service(1, 1), 8) << text;
    }
}

TEST(RuntimeTime, SuspensionEndsAtShutdownOnlyWhileTheModuleRuns) {
    ORVEN::resetShutdown();
    EXPECT_EQ(ORVEN::rtSuspend(-1, 0), -1);
    EXPECT_EQ(ORVEN::rtSuspend(0, -5), -1);
    EXPECT_EQ(ORVEN::rtSuspend(0, 1000), 0);

    std::thread stopper([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ORVEN::requestShutdown();
    });
    EXPECT_EQ(ORVEN::rtSuspend(600, 0), 1);  // woken by the shutdown
    stopper.join();
    // In the ending logic a suspension takes its whole time.
    EXPECT_EQ(ORVEN::rtSuspend(0, 2000), 0);
    ORVEN::resetShutdown();
}

// ---- Fault tolerance ------------------------------------------------------

TEST(RuntimeLog, UserLogNamesTheModuleAndKeepsOneLinePerEvent) {
    ORVEN::setModuleIdentity("Robot Arm", "Robot_Arm");
    ORVEN::userLog("first line\nsecond line");
    std::string line = ORVEN::lastUserLogLine();
    EXPECT_NE(line.find("[Robot Arm] first line second line"), std::string::npos) << line;
    EXPECT_EQ(line.find('\n'), std::string::npos);
    EXPECT_FALSE(ORVEN::setUserLogFile("/nonexistent-dir/x/user.log"));
}

TEST(RuntimeLog, TimeRestrictionsAreCheckedAgainstBothBounds) {
    struct Case {
        double elapsed, min, max;
        int result;
    };
    const Case cases[] = {{5, 1, 10, 0},  {11, 1, 10, 1}, {0.5, 1, 10, 2},
                          {5, -1, -1, 0}, {5, -1, 4, 1},  {5, 6, -1, 2}};
    for (const Case& c : cases) {
        EXPECT_EQ(ORVEN::checkTimeRestriction("service Move", c.elapsed, c.min, c.max), c.result)
            << c.elapsed << " in [" << c.min << ", " << c.max << "]";
    }
    ORVEN::checkTimeRestriction("service Move", 12.5, 1, 10);
    std::string line = ORVEN::lastUserLogLine();
    EXPECT_NE(line.find("service Move took 12.5 ms, maximum 10 ms"), std::string::npos) << line;
}

// ---- Execution ------------------------------------------------------------

TEST(RuntimeExec, CommandLineArgumentsByNameWithBothForms) {
    const char* args[] = {"prog", "-speed", "12", "-mode=fast", "-flag"};
    ORVEN::setArguments(5, const_cast<char**>(args));
    std::string v = "unchanged";
    EXPECT_EQ(ORVEN::readArgument("-speed", v), 0);
    EXPECT_EQ(v, "12");
    EXPECT_EQ(ORVEN::readArgument("-mode", v), 0);
    EXPECT_EQ(v, "fast");
    EXPECT_EQ(ORVEN::readArgument("-flag", v), 0);
    EXPECT_EQ(v, "");
    v = "unchanged";
    EXPECT_EQ(ORVEN::readArgument("-missing", v), 1);
    EXPECT_EQ(ORVEN::readArgument("-spee", v), 1);
    EXPECT_EQ(ORVEN::readArgument("", v), 1);
    EXPECT_EQ(v, "unchanged");
}

TEST(RuntimeExec, CriticalZonesRefuseMisuseInsteadOfBlocking) {
    ORVEN::resetShutdown();
    ASSERT_EQ(ORVEN::destroyCriticalZones() >= 0, true);
    EXPECT_EQ(ORVEN::createCriticalZones(0), -1);
    EXPECT_EQ(ORVEN::createCriticalZones(2), 0);
    EXPECT_EQ(ORVEN::createCriticalZones(1), 2);
    EXPECT_EQ(ORVEN::numberOfCriticalZones(), 3);

    EXPECT_EQ(ORVEN::enterCriticalZone(3), -1);
    EXPECT_EQ(ORVEN::leaveCriticalZone(0), -2);  // not held
    EXPECT_EQ(ORVEN::enterCriticalZone(0), 0);
    EXPECT_EQ(ORVEN::enterCriticalZone(0), -2);  // would deadlock
    int otherLeave = 0;
    std::thread other([&] { otherLeave = ORVEN::leaveCriticalZone(0); });
    other.join();
    EXPECT_EQ(otherLeave, -2);
    EXPECT_EQ(ORVEN::destroyCriticalZones(), -2);  // a zone is held

    // A second thread waits until the zone is left.
    std::atomic<bool> entered(false);
    std::thread waiter([&] {
        if (ORVEN::enterCriticalZone(0) == 0) {
            entered = true;
            ORVEN::leaveCriticalZone(0);
        }
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_FALSE(entered);
    EXPECT_EQ(ORVEN::leaveCriticalZone(0), 0);
    waiter.join();
    EXPECT_TRUE(entered);
    EXPECT_EQ(ORVEN::destroyCriticalZones(), 3);
    EXPECT_EQ(ORVEN::numberOfCriticalZones(), 0);
}

TEST(RuntimeExec, PendingRequestsAreCounted) {
    unsigned before = ORVEN::pendingRequests();
    ORVEN::beginRequest();
    ORVEN::beginRequest();
    EXPECT_EQ(ORVEN::pendingRequests(), before + 2);
    EXPECT_FALSE(ORVEN::waitNoPendingRequests(1.0));
    ORVEN::endRequest();
    ORVEN::endRequest();
    EXPECT_TRUE(ORVEN::waitNoPendingRequests(1000.0));
    ORVEN::endRequest();  // one too many: stays at zero
    EXPECT_EQ(ORVEN::pendingRequests(), 0u);
}

void monitorRoutine() {
    ORVEN::userLog("monitor ran in " + ORVEN::currentContext().section);
}

TEST(RuntimeExec, MonitorThreadRunsAndJoins) {
    ORVEN::MonitorThread t;
    EXPECT_FALSE(t.start("Nothing", 0, 0, nullptr));
    ASSERT_TRUE(t.start("Watch", 0, 0, monitorRoutine));
    EXPECT_FALSE(t.start("Watch", 0, 0, monitorRoutine));  // already started
    EXPECT_TRUE(t.join());
    EXPECT_FALSE(t.running());
    EXPECT_NE(ORVEN::lastUserLogLine().find("monitor ran in Watch"), std::string::npos);
    EXPECT_FALSE(ORVEN::monitorsLeftRunning());
}

TEST(RuntimeExec, LocalChannelsCarryMessagesWithPriorityAndTime) {
    ORVEN::resetShutdown();
    std::string name = "orven_test_" + std::to_string(::getpid());
    EXPECT_EQ(ORVEN::activateLocalChannel(64, name, true), -1);
    EXPECT_EQ(ORVEN::activateLocalChannel(0, "", true), -1);
    EXPECT_EQ(ORVEN::activateLocalChannel(1, name + "_absent", false), -3);
    ASSERT_EQ(ORVEN::activateLocalChannel(0, name, true), 0);
    EXPECT_EQ(ORVEN::activateLocalChannel(0, name, true), -2);
    ASSERT_EQ(ORVEN::activateLocalChannel(1, name, false), 0);  // the other end

    EXPECT_EQ(ORVEN::sendLocalMessage(0, "hello world", 5, 3), 0);
    EXPECT_EQ(ORVEN::sendLocalMessage(0, std::string("bin\0ary", 7), 0, 30), 0);
    EXPECT_EQ(ORVEN::sendLocalMessage(0, std::string(9000, 'x'), 0, 1), -2);
    EXPECT_EQ(ORVEN::sendLocalMessage(5, "x", 0, 1), -1);

    std::string data;
    ORVEN::Time when = {0, 0};
    unsigned prio = 0;
    // The higher priority comes first.
    ASSERT_EQ(ORVEN::receiveLocalMessage(1, 500, 1000, data, when, prio), 0);
    EXPECT_EQ(data, std::string("bin\0ary", 7));
    EXPECT_EQ(prio, 30u);
    EXPECT_GT(when.seconds, 0);
    ASSERT_EQ(ORVEN::receiveLocalMessage(1, 3, 1000, data, when, prio), 0);
    EXPECT_EQ(data, "hel");  // cut to the maximum length
    EXPECT_EQ(ORVEN::receiveLocalMessage(1, 500, 20, data, when, prio), -4);
    EXPECT_EQ(ORVEN::receiveLocalMessage(7, 500, 20, data, when, prio), -1);

    EXPECT_EQ(ORVEN::deactivateLocalChannel(1, false), 0);
    EXPECT_EQ(ORVEN::deactivateLocalChannel(1, false), -1);
    EXPECT_EQ(ORVEN::deactivateLocalChannel(0, true), 0);
    EXPECT_EQ(ORVEN::activateLocalChannel(0, name, false), -3);  // removed
}

// ---- Communications ------------------------------------------------------

// A module servant with no services of its own: the base operations only.
class PlainServant : public virtual ORVEN::ModuleServant {
  public:
    PlainServant() : ORVEN::ModuleServant("Self Test", "Self_Test") {}
};

class RuntimeOrb : public ::testing::Test {
  protected:
    void SetUp() override {
        ORVEN::resetShutdown();
        // The naming service named here cannot be reached.
        static const char* args[] = {"test",        "M10:20,G0S0:15,G0S1:*",
                                     "-ORVENwait",  "0",
                                     "-user",       "value",
                                     "-ORBInitRef", "NameService=corbaname::127.0.0.1:1"};
        argc_ = 8;
        for (int i = 0; i < argc_; ++i)
            argv_[i] = const_cast<char*>(args[i]);
        argv_[argc_] = nullptr;
        runtime_ = new ORVEN::Runtime(argc_, argv_, "Self Test", "Self_Test", 1, 2);
    }
    void TearDown() override {
        if (runtime_->started())
            runtime_->finish();
        delete runtime_;
        ORVEN::resetShutdown();
    }
    int argc_ = 0;
    char* argv_[10] = {};
    ORVEN::Runtime* runtime_ = nullptr;
};

TEST_F(RuntimeOrb, StartsAndReadsItsCommandLine) {
    ASSERT_TRUE(runtime_->started());
    EXPECT_EQ(ORVEN::Runtime::instance(), runtime_);
    EXPECT_EQ(ORVEN::moduleName(), "Self Test");
    EXPECT_TRUE(ORVEN::priorities().present());
    EXPECT_EQ(ORVEN::priorities().service(0, 0), 15);
    std::string v;
    EXPECT_EQ(ORVEN::readArgument("-user", v), 0);
    EXPECT_EQ(v, "value");
    EXPECT_EQ(ORVEN::readArgument("-ORVENwait", v), 1);  // taken by the run time
}

TEST_F(RuntimeOrb, ServantAnswersItsBaseOperations) {
    ASSERT_TRUE(runtime_->started());
    ASSERT_TRUE(runtime_->activate(new PlainServant));
    ORVEN::OxaModule_var self = ORVEN::OxaModule::_narrow(runtime_->selfReference());
    ASSERT_FALSE(CORBA::is_nil(self));
    CORBA::String_var name = self->orven_name();
    EXPECT_STREQ(name.in(), "Self Test");
    ORVEN::ModuleInfo_var info = self->orven_info();
    EXPECT_STREQ(info->identifier.in(), "Self_Test");
    EXPECT_EQ(info->lowestPriority, 10);
    EXPECT_EQ(info->highestPriority, 20);
    // A nil handler is refused.
    EXPECT_FALSE(self->orven_subscribe("Other", 101, ORVEN::BetaEventHandler::_nil()));
}

TEST_F(RuntimeOrb, EventsReachLocalAndSubscribedHandlers) {
    ASSERT_TRUE(runtime_->started());
    ASSERT_TRUE(runtime_->activate(new PlainServant));
    std::mutex m;
    std::condition_variable cv;
    std::vector<std::string> seen;
    auto record = [&](const std::string& what) {
        std::lock_guard<std::mutex> lock(m);
        seen.push_back(what);
        cv.notify_all();
    };
    runtime_->registerHandler("ORVEN::Self_Test::Done", 201, 0, 1, "OnDone",
                              [&](const char* origin, ORVEN::EnteringInfo&) {
                                  record(std::string("OnDone from ") + origin + " code " +
                                         std::to_string(ORVEN::eventCode()));
                              });
    runtime_->registerHandler(
        "ORVEN::Camera::Ready", 101, 0, 0, "OnReady",
        [&](const char*, ORVEN::EnteringInfo&) { record("OnReady from " + ORVEN::eventOrigin()); });
    runtime_->runStartup([] {});

    EXPECT_EQ(ORVEN::sendNotification(201), 1);
    EXPECT_EQ(ORVEN::sendNotification(999), 0);
    // The module subscribes itself as a remote handler of its own event.
    ORVEN::OxaModule_var self = ORVEN::OxaModule::_narrow(runtime_->selfReference());
    EXPECT_TRUE(self->orven_subscribe("Other", 201, self.in()));
    EXPECT_TRUE(self->orven_subscribe("Other", 201, self.in()));  // replaces, no duplicate
    EXPECT_EQ(ORVEN::sendBetaEvent(201), 2);  // own handler + subscriber "Other"
    // An event delivered by the producer Camera reaches the Camera handler only.
    ORVEN::EnteringInfo info = ORVEN::makeEnteringInfo(-1, -1);
    self->orven_deliver("Camera", 101, info);

    std::unique_lock<std::mutex> lock(m);
    cv.wait_for(lock, std::chrono::seconds(10), [&] { return seen.size() >= 4; });
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "OnDone from Self_Test code 201"), 3);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "OnReady from Camera"), 1);
    self->orven_unsubscribe("Other", 201);
    lock.unlock();
    EXPECT_EQ(ORVEN::sendBetaEvent(201), 1);
}

TEST_F(RuntimeOrb, NonReentrantServicesAreSerialisedAndRefusedWhenClosing) {
    ASSERT_TRUE(runtime_->started());
    runtime_->runStartup([] {});
    std::atomic<int> inside(0);
    std::atomic<int> most(0);
    auto service = [&] {
        ORVEN::EnteringInfo info = ORVEN::makeEnteringInfo(-1, -1);
        ORVEN::ServiceScope scope("Move", info, 0, 0, true);
        int now = ++inside;
        if (now > most)
            most = now;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        --inside;
    };
    std::vector<std::thread> threads;
    for (int i = 0; i < 4; ++i)
        threads.emplace_back(service);
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(most, 1);

    // Priorities: the table's value, else the caller's.
    {
        ORVEN::EnteringInfo info = ORVEN::makeEnteringInfo(-1, -1);
        info.priority = 12;
        ORVEN::ServiceScope a("Move", info, 0, 0, false);
        EXPECT_EQ(ORVEN::currentPriority(), 15);
        ORVEN::ServiceScope b("Ping", info, 0, 1, false);
        EXPECT_EQ(ORVEN::currentPriority(), 12);
        EXPECT_EQ(ORVEN::currentContext().section, "Ping");
    }

    runtime_->finishPendingRequests(1000.0);
    ORVEN::EnteringInfo info = ORVEN::makeEnteringInfo(-1, -1);
    EXPECT_THROW(ORVEN::ServiceScope("Move", info, 0, 0, true), CORBA::TRANSIENT);
}

TEST_F(RuntimeOrb, PermanentLoopsEndOnTerminateAndShutdown) {
    ASSERT_TRUE(runtime_->started());
    runtime_->runStartup([] {});
    ORVEN::EnteringInfo info = ORVEN::monitorEnteringInfo("Watch", 0, 0);
    EXPECT_EQ(info.priority, 15);
    int rounds = 0;
    {
        ORVEN::ServiceScope scope("Watch", info, 0, 0, true);
        while (scope.repeat()) {
            if (++rounds == 3)
                scope.terminate();
        }
    }
    EXPECT_EQ(rounds, 3);
    EXPECT_FALSE(ORVEN::currentContext().terminated);  // restored after the service
    ORVEN::requestShutdown();
    rounds = 0;
    {
        ORVEN::ServiceScope scope("Watch", info, 0, 0, false);
        while (scope.repeat())
            ++rounds;
    }
    EXPECT_EQ(rounds, 0);
}

TEST_F(RuntimeOrb, RequestsReportLatenessAndFailures) {
    ASSERT_TRUE(runtime_->started());
    {
        ORVEN::Request r("Move", "Arm", 0, 1000000, -1);
        EXPECT_STREQ(r.info().caller.in(), "Self Test");
        EXPECT_FLOAT_EQ(r.info().timeMax, 1000000.0f);
        EXPECT_EQ(r.done(), 0);
    }
    {
        ORVEN::Request r("Move", "Arm", 0, 0.001, -1);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        EXPECT_EQ(r.done(), 1);
        EXPECT_NE(ORVEN::lastUserLogLine().find("request of Move of module Arm"),
                  std::string::npos);
    }
    {
        ORVEN::Request r("Move", "Arm", -1, 5, -1);  // no minimum: no maximum either
        EXPECT_FLOAT_EQ(r.info().timeMin, -1.0f);
        EXPECT_FLOAT_EQ(r.info().timeMax, -1.0f);
        EXPECT_EQ(r.failed(CORBA::TIMEOUT()), -2);
        EXPECT_EQ(r.failed(CORBA::NO_PERMISSION()), -4);
        EXPECT_EQ(r.failed(CORBA::TRANSIENT()), -1);
        EXPECT_EQ(r.noObject(), -3);
    }
    EXPECT_EQ(ORVEN::setCommunicationTimeout(-1), -1);
    EXPECT_EQ(ORVEN::setCommunicationTimeout(250), 0);
    EXPECT_EQ(ORVEN::communicationTimeout(), 250);
    // No dependency registered: nothing is disconnected.
    EXPECT_FALSE(ORVEN::checkDisconnection());
    runtime_->registerDependency("Gone", CORBA::Object::_nil());
    EXPECT_TRUE(ORVEN::checkDisconnection());
    // Without a naming service nothing can be resolved, and nothing hangs.
    CORBA::Object_var obj = runtime_->resolveModule("Camera", "Camera");
    EXPECT_TRUE(CORBA::is_nil(obj));
}

TEST_F(RuntimeOrb, HandlerAndMonitorOperationsRefuseCalls) {
    EXPECT_THROW(ORVEN::refuseCall("OnReady"), CORBA::NO_PERMISSION);
    EXPECT_NE(ORVEN::lastUserLogLine().find("OnReady"), std::string::npos);
}

}  // namespace
