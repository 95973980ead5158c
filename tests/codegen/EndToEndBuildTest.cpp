// Designs, verifies, generates and builds modules the way the designer does,
// through the exports and with the real stand-ins of the IDL compiler and
// the build driver on the search path: every module builds to its
// executable without complaints, a mistake in a service's code comes back
// as a compilation error on the right line of the generated source, and a
// built module starts, binds in a naming service and ends cleanly.
//
// The modules are the module files of examples/ (picked up automatically);
// without any there, the camera and robot arm modules of EndToEndModules.h,
// saved to module files first. Each module is generated into a directory of
// its own. A module that depends on others (by a dependency or as handler of
// their beta events) includes their client IDL, so the modules it depends
// on, directly or not, are generated into the same directory first, as a
// user puts the IDL files of the modules a module is a client of beside it.
// The project of the module compiles their client stubs (OXA_<Other>C.cpp,
// left there by their generation) with its own sources; nothing else of
// theirs is built with it.
#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "EndToEndModules.h"
#include "TestSupport.h"
#include "api/EngineState.h"
#include "codegen/ModuleNames.h"
#include "orven.h"

extern char** environ;

namespace fs = std::filesystem;
using orven::engine;
using orven::test::EngineWorkDir;
using orven::test::readFile;

namespace {

// Every generation stage on.
const char* kEveryStage = "***********";
// A text that no module declares, put into a service's server code.
const char* kUndeclared = "orvenUndeclaredCounter";

// The modules of the tests: the module files of examples/, or, when there
// are none, the names of the modules made in code.
std::vector<std::string> exampleFiles() {
    std::vector<std::string> files;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(orven::test::sourceDir() + "/examples", ec)) {
        if (e.is_regular_file() && e.path().extension() == ".oxa")
            files.push_back(e.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

const std::vector<std::string> kBuiltIn = {"Camera", "Robot Arm"};

std::vector<std::string> moduleCases() {
    std::vector<std::string> files = exampleFiles();
    return files.empty() ? kBuiltIn : files;
}

// A test name made of the letters and digits of a module case.
std::string caseName(const ::testing::TestParamInfo<std::string>& info) {
    std::string stem = fs::path(info.param).stem().string();
    std::string name;
    for (char c : stem) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            name += c;
    }
    return name.empty() ? "Module" + std::to_string(info.index) : name;
}

std::string text(const std::function<int(char*, int)>& read, int size = 1024) {
    std::vector<char> buffer(static_cast<std::size_t>(size), '\0');
    return read(buffer.data(), size) == 1 ? std::string(buffer.data()) : std::string();
}

// What is known of a module file once loaded.
struct ModuleFile {
    std::string file;
    std::string name;
    std::string base;                    // moduleBaseName
    std::vector<std::string> dependsOn;  // module names, without repetition
};

// The outcome of generating and building one module.
struct Build {
    std::string directory;
    std::string base;
    int validation = -2;
    int generated = 0;
    std::string generateMessage;
    int compiled = 0;
    std::vector<std::string> records;
    std::string failure;  // set when a step before the build failed
};

// The modules another module depends on: its dependencies and the producers
// of the beta events it handles.
std::vector<std::string> currentDependsOn() {
    std::vector<std::string> names;
    auto add = [&](const std::string& name) {
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    };
    for (int i = 0; i < GetNumberOfModuleDependencies(); ++i) {
        char module[256] = "", service[256] = "";
        float pair[2] = {0, 0};
        if (ReadModuleDependency(i, module, service, sizeof module, sizeof service, pair) == 1)
            add(module);
    }
    for (int g = 0; g < NumberOfGroups(); ++g) {
        std::string group = text([&](char* b, int n) { return GetNameOfGroupByPos(g, n, b); });
        for (int s = 0; s < NumberOfServices(group.c_str()); ++s) {
            std::string service =
                text([&](char* b, int n) { return GetNameOfServiceByPos(group.c_str(), s, n, b); });
            add(text([&](char* b, int n) {
                return OXAServiceEventGeneratorModule(group.c_str(), service.c_str(), b, n);
            }));
        }
    }
    return names;
}

// The shared state of a suite: one engine directory, the module files and
// the builds made so far (each module is built once).
class EndToEndBuildBase : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        work_ = std::make_unique<EngineWorkDir>();
        char error[400] = "";
        ready_ = InitializeOrvenInterface("externals", nullptr, error, sizeof error) == 1;
        setupFailure_ = ready_ ? "" : std::string("engine start: ") + error;
        const std::string tools = orven::test::binaryDir() + "/tools/bin";
        for (const char* tool : {"tao_idl", "msdev"}) {
            if (ready_ && !fs::exists(tools + "/" + tool)) {
                ready_ = false;
                setupFailure_ = std::string("build the ") + tool + " stand-in first";
            }
        }
        oldPath_ = std::getenv("PATH") ? std::getenv("PATH") : "";
        ::setenv("PATH", (tools + ":" + oldPath_).c_str(), 1);
        if (ready_)
            loadModules();
    }

    static void TearDownTestSuite() {
        engine().module.reset();
        ::setenv("PATH", oldPath_.c_str(), 1);
        builds_.clear();
        modules_.clear();
        work_.reset();
    }

    void SetUp() override { ASSERT_TRUE(ready_) << setupFailure_; }

    // The module files: the examples, or the modules made in code saved to
    // files in the engine directory.
    static void loadModules() {
        std::vector<std::string> files = exampleFiles();
        if (files.empty()) {
            fs::create_directories(work_->file("src"));
            for (const std::string& name : kBuiltIn) {
                engine().module = name == "Camera" ? orven::test::cameraModule()
                                                   : orven::test::armModule(work_->file("src"));
                std::string file = work_->file(orven::codegen::moduleBaseName(name) + ".oxa");
                if (SaveOXAModule(file.c_str()) != 1) {
                    ready_ = false;
                    setupFailure_ = "cannot save the module " + name;
                    return;
                }
                files.push_back(file);
            }
            engine().module.reset();
        }
        for (const std::string& file : files) {
            char message[400] = "";
            if (LoadOXAModule(file.c_str(), sizeof message, message) != 1) {
                ready_ = false;
                setupFailure_ = "cannot load " + file + ": " + message;
                return;
            }
            ModuleFile m{file, engine().module->name(),
                         orven::codegen::moduleBaseName(engine().module->name()),
                         currentDependsOn()};
            modules_.push_back(m);
        }
    }

    // The module of a test case: an example's file or a built-in module's
    // name.
    static const ModuleFile* module(const std::string& which) {
        for (const ModuleFile& m : modules_) {
            if (m.file == which || m.name == which)
                return &m;
        }
        return nullptr;
    }

    // Loads a module file as the current module.
    static bool load(const ModuleFile& m, std::string& failure) {
        char message[400] = "";
        if (LoadOXAModule(m.file.c_str(), sizeof message, message) == 1)
            return true;
        failure = "cannot load " + m.file + ": " + message;
        return false;
    }

    // Generates the modules that m depends on (directly or not, those first)
    // into directory.
    static bool generateDependencies(const ModuleFile& m, const std::string& directory,
                                     std::string& failure) {
        std::vector<const ModuleFile*> order;
        std::set<std::string> visiting, done;
        std::function<bool(const ModuleFile&)> visit = [&](const ModuleFile& x) -> bool {
            for (const std::string& name : x.dependsOn) {
                if (done.count(name) != 0 || name == m.name)
                    continue;
                const ModuleFile* d = module(name);
                if (d == nullptr) {
                    failure = x.name + " depends on " + name + ", which no module file holds";
                    return false;
                }
                if (!visiting.insert(name).second)
                    continue;  // a cycle: already on the way
                if (!visit(*d))
                    return false;
                done.insert(name);
                order.push_back(d);
            }
            return true;
        };
        if (!visit(m))
            return false;
        for (const ModuleFile* d : order) {
            if (!load(*d, failure))
                return false;
            char message[160] = "";
            if (Generate(0, directory.c_str(), 159, message, kEveryStage) != 1) {
                failure = "generating " + d->name + " for " + m.name + ": " + message;
                return false;
            }
        }
        return true;
    }

    // Verifies (with repairs), generates with every stage and builds m in
    // directory, after change has been applied to the loaded module.
    static Build buildIn(const ModuleFile& m, const std::string& directory,
                         const std::function<void()>& change = {}) {
        Build b;
        b.directory = directory;
        b.base = m.base;
        fs::create_directories(directory);
        if (!generateDependencies(m, directory, b.failure) || !load(m, b.failure))
            return b;
        if (change)
            change();
        char report[4096] = "";
        b.validation = GeneratorValidate(0, 1, report, sizeof report);
        if (b.validation != 1 && b.validation != 2) {
            b.failure = "verification of " + m.name + " gave " + std::to_string(b.validation) +
                        ":\n" + report;
            return b;
        }
        char message[160] = "";
        b.generated = Generate(0, directory.c_str(), 159, message, kEveryStage);
        b.generateMessage = message;
        if (b.generated != 1) {
            b.failure = "generating " + m.name + ": " + message;
            return b;
        }
        b.compiled = CompileLinkAutomatically(directory.c_str());
        if (b.compiled != 1) {
            b.failure = "the build of " + m.name + " did not run";
            return b;
        }
        for (int i = 0; i < NumberOfErrors(); ++i) {
            char record[2048] = "";
            if (ReadError(i, record, sizeof record) == 1)
                b.records.push_back(record);
        }
        return b;
    }

    // The build of a module as it is, made once per process.
    static const Build& built(const ModuleFile& m) {
        auto it = builds_.find(m.file);
        if (it == builds_.end())
            it = builds_.emplace(m.file, buildIn(m, work_->file("out/" + m.base))).first;
        return it->second;
    }

    static std::string executable(const Build& b) {
        return b.directory + "/" + b.base + "_project";
    }

    static std::string buildLog(const Build& b) {
        std::string all;
        for (const std::string& r : b.records)
            all += "  " + r + "\n";
        return all + "build output:\n" + readFile(b.directory + "/tempfile.tmp");
    }

    static std::unique_ptr<EngineWorkDir> work_;
    static bool ready_;
    static std::string setupFailure_;
    static std::string oldPath_;
    static std::vector<ModuleFile> modules_;
    static std::map<std::string, Build> builds_;
};

std::unique_ptr<EngineWorkDir> EndToEndBuildBase::work_;
bool EndToEndBuildBase::ready_ = false;
std::string EndToEndBuildBase::setupFailure_;
std::string EndToEndBuildBase::oldPath_;
std::vector<ModuleFile> EndToEndBuildBase::modules_;
std::map<std::string, Build> EndToEndBuildBase::builds_;

class EndToEndBuild : public EndToEndBuildBase,
                      public ::testing::WithParamInterface<std::string> {};

TEST_P(EndToEndBuild, ModuleBuildsToItsExecutableWithoutErrors) {
    const ModuleFile* m = module(GetParam());
    ASSERT_NE(m, nullptr) << GetParam();
    const Build& b = built(*m);
    ASSERT_TRUE(b.failure.empty()) << b.failure;
    EXPECT_TRUE(b.records.empty()) << m->name << " has build complaints:\n" << buildLog(b);
    EXPECT_TRUE(fs::is_regular_file(executable(b))) << executable(b) << "\n" << buildLog(b);
    std::string output = readFile(b.directory + "/tempfile.tmp");
    EXPECT_NE(output.find(b.base + "_project.exe - 0 error(s), 0 warning(s)"), std::string::npos)
        << output;
}

// The line of a file (counted from 1); empty when there is none.
std::string lineOf(const std::string& path, unsigned line) {
    std::istringstream in(readFile(path));
    std::string l;
    for (unsigned i = 1; std::getline(in, l); ++i) {
        if (i == line)
            return l;
    }
    return std::string();
}

// A regular service of the current module whose code is compiled into the
// servant: its group and name; empty when the module has none.
std::pair<std::string, std::string> regularService() {
    for (int g = 0; g < NumberOfGroups(); ++g) {
        std::string group = text([&](char* b, int n) { return GetNameOfGroupByPos(g, n, b); });
        for (int s = 0; s < NumberOfServices(group.c_str()); ++s) {
            std::string service =
                text([&](char* b, int n) { return GetNameOfServiceByPos(group.c_str(), s, n, b); });
            if (OXAServiceType(group.c_str(), service.c_str()) == 0)
                return {group, service};
        }
    }
    return {};
}

class EndToEndBrokenBuild : public EndToEndBuildBase {};

// A module whose regular service gets a statement with an undeclared name in
// its server code (a module without dependencies when there is one).
TEST_F(EndToEndBrokenBuild, UndeclaredNameInServerCodeIsACompilationErrorOnItsLine) {
    const ModuleFile* m = nullptr;
    std::string group, service;
    for (const ModuleFile& candidate : modules_) {
        std::string failure;
        ASSERT_TRUE(load(candidate, failure)) << failure;
        auto found = regularService();
        if (!found.second.empty() &&
            (m == nullptr || (!m->dependsOn.empty() && candidate.dependsOn.empty()))) {
            m = &candidate;
            std::tie(group, service) = found;
        }
    }
    if (m == nullptr)
        GTEST_SKIP() << "no module has a regular service";
    Build b = buildIn(*m, work_->file("broken/" + m->base), [&] {
        std::string code = text(
            [&](char* buf, int n) {
                return RetrieveOXAServiceServerCode(group.c_str(), service.c_str(), buf, n);
            },
            65536);
        code = std::string(kUndeclared) + " = 1;\n" + code;
        EXPECT_EQ(ChangeOXAServiceServerCode(group.c_str(), service.c_str(), code.c_str()), 1);
    });
    ASSERT_TRUE(b.failure.empty()) << b.failure;

    const std::string source = b.base + "_i.cpp";
    const std::string prefix = "Compilation Error [";
    bool found = false;
    for (const std::string& r : b.records) {
        if (r.rfind(prefix, 0) != 0)
            continue;
        std::size_t close = r.find("] : {");
        ASSERT_NE(close, std::string::npos) << r;
        std::size_t end = r.find("} (", close);
        ASSERT_NE(end, std::string::npos) << r;
        unsigned line = static_cast<unsigned>(std::stoul(r.substr(prefix.size())));
        std::string file = r.substr(close + 5, end - close - 5);
        std::replace(file.begin(), file.end(), '\\', '/');
        if (fs::path(file).filename() != source)
            continue;
        EXPECT_GT(line, 0u) << r;
        std::string at = lineOf(b.directory + "/" + source, line);
        EXPECT_NE(at.find(kUndeclared), std::string::npos)
            << r << "\nline " << line << " of " << source << " is: " << at;
        found = true;
    }
    EXPECT_TRUE(found) << "no compilation error in " << source << " for the service '" << service
                       << "' of group '" << group << "' of " << m->name << ":\n"
                       << buildLog(b);
    EXPECT_FALSE(fs::exists(executable(b))) << executable(b);
}

// A free TCP port of the loopback interface (0 when none can be had).
int freePort() {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

// A program started in a directory with its output in a log file; stopped
// (SIGTERM, then SIGKILL) when the object ends.
class Process {
  public:
    Process(const std::vector<std::string>& args, const std::string& directory,
            const std::string& log) {
        std::vector<char*> argv;
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        pid_ = ::fork();
        if (pid_ == 0) {
            int fd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd < 0 || ::chdir(directory.c_str()) != 0)
                ::_exit(126);
            ::dup2(fd, 1);
            ::dup2(fd, 2);
            ::execvp(argv[0], argv.data());
            ::_exit(127);
        }
    }
    ~Process() {
        if (running())
            stop(std::chrono::seconds(5));
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool started() const { return pid_ > 0; }
    bool running() { return started() && !exited(); }

    // Sends SIGTERM and waits at most the given time; the exit status (128 +
    // the signal when a signal ended it), or -1 when the program did not end
    // in time (it is then killed).
    int stop(std::chrono::milliseconds patience) {
        if (!running())
            return status();
        ::kill(pid_, SIGTERM);
        auto deadline = std::chrono::steady_clock::now() + patience;
        while (!exited() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (exited())
            return status();
        ::kill(pid_, SIGKILL);
        while (::waitpid(pid_, &status_, 0) < 0 && errno == EINTR) {
        }
        done_ = true;
        return -1;
    }

  private:
    bool exited() {
        if (done_)
            return true;
        if (::waitpid(pid_, &status_, WNOHANG) == pid_)
            done_ = true;
        return done_;
    }
    int status() const {
        return WIFEXITED(status_) ? WEXITSTATUS(status_) : 128 + WTERMSIG(status_);
    }

    pid_t pid_ = -1;
    int status_ = 0;
    bool done_ = false;
};

// Waits at most the given time for a condition.
bool eventually(const std::function<bool()>& condition, std::chrono::seconds patience) {
    auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
}

class EndToEndRun : public EndToEndBuildBase {};

// A built module without dependencies starts against a naming service of its
// own on the loopback interface, binds its object there under its identifier
// (kind "OXA"), and on SIGTERM unbinds and exits with 0.
TEST_F(EndToEndRun, BuiltModuleBindsInTheNamingServiceAndEndsCleanly) {
    if (orven::test::runIn(work_->path(), "command -v omniNames && command -v nameclt",
                           work_->file("which.log")) != 0)
        GTEST_SKIP() << "omniNames or nameclt is not installed";
    const ModuleFile* m = nullptr;
    for (const ModuleFile& candidate : modules_) {
        if (candidate.dependsOn.empty()) {
            m = &candidate;
            break;
        }
    }
    if (m == nullptr)
        GTEST_SKIP() << "every module depends on another";
    const Build& b = built(*m);
    ASSERT_TRUE(b.failure.empty()) << b.failure;
    ASSERT_TRUE(fs::is_regular_file(executable(b))) << buildLog(b);

    int port = freePort();
    ASSERT_NE(port, 0);
    const std::string names = work_->file("names");
    fs::create_directories(names);
    const std::string endpoint = "127.0.0.1:" + std::to_string(port);
    Process namingService(
        {"omniNames", "-start", std::to_string(port), "-always", "-datadir", names, "-errlog",
         names + "/errors.log", "-ORBendPoint", "giop:tcp:" + endpoint},
        names, names + "/omniNames.log");
    ASSERT_TRUE(namingService.started());
    const std::string initRef = "NameService=corbaname::" + endpoint;
    std::string listing;
    auto list = [&] {
        const std::string log = names + "/list.log";
        bool ok = orven::test::runIn(names, "timeout 10 nameclt -ORBInitRef " + initRef + " list",
                                     log) == 0;
        listing = readFile(log);
        return ok;
    };
    ASSERT_TRUE(eventually(list, std::chrono::seconds(20)))
        << "the naming service does not answer:\n"
        << listing << readFile(names + "/omniNames.log") << readFile(names + "/errors.log");

    const std::string identifier = b.base.substr(4) + ".OXA";  // without "OXA_"
    auto bound = [&] {
        std::istringstream lines(listing);
        for (std::string l; std::getline(lines, l);) {
            if (l == identifier)
                return true;
        }
        return false;
    };
    EXPECT_FALSE(bound()) << listing;
    const std::string moduleLog = b.directory + "/run.log";
    Process program({executable(b), "-ORBInitRef", initRef}, b.directory, moduleLog);
    ASSERT_TRUE(program.started());
    EXPECT_TRUE(eventually([&] { return !program.running() || (list() && bound()); },
                           std::chrono::seconds(30)))
        << identifier << " is not bound:\n"
        << listing << "module output:\n"
        << readFile(moduleLog);
    EXPECT_TRUE(program.running()) << readFile(moduleLog);
    EXPECT_EQ(program.stop(std::chrono::seconds(20)), 0) << readFile(moduleLog);
    EXPECT_TRUE(list()) << listing;
    EXPECT_FALSE(bound()) << "still bound after the end:\n" << listing;
    namingService.stop(std::chrono::seconds(10));
}

INSTANTIATE_TEST_SUITE_P(Modules, EndToEndBuild, ::testing::ValuesIn(moduleCases()), caseName);

}  // namespace
