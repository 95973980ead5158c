// msdev: a stand-in for the Visual C++ 6.0 command-line driver on Linux.
//
//   msdev <project>.dsp /MAKE "<project> - Win32 Release"
//
// reads the VC6 project file, compiles its C and C++ sources with g++/gcc
// against omniORB, links them into the executable <project> beside the
// project file, and prints the compiler's and linker's complaints on its
// standard output in the layout of the Visual C++ tools:
//
//   file(line) : error C2065: text
//   file(line) : warning C4100: text
//   name.obj : error LNK2001: unresolved external symbol name
//   LINK : fatal error LNK1104: cannot open file 'name'
//
// framed by "Compiling...", "Linking..." and "<project>.exe - N error(s),
// M warning(s)". The exit code is 0 when the executable was built, else 1.
//
// What is taken from the project file (lines of the requested configuration
// only, between !IF "$(CFG)" == "<config>" and the matching !ELSEIF, !ELSE or
// !ENDIF; lines outside any !IF always count):
//   SOURCE=path          .cpp .cxx .cc are compiled as C++, .c as C;
//                        .lib .obj .a .o are linked; other files are ignored.
//                        Paths are relative to the project file's directory,
//                        may use "\" and may be quoted. A file whose block
//                        holds "# PROP Exclude_From_Build 1" is skipped.
//   # ADD CPP ...        /I "dir" -> -I dir, /D "X" -> -D X (the Windows
//                        platform macros WIN32, _WINDOWS, _MBCS, _AFXDLL and
//                        the like are left out), /W3 -> -Wall,
//                        /W4 -> -Wall -Wextra.
//   # ADD LINK32 ...     tokens ending in .lib .a .o .obj that name existing
//                        files are linked (system libraries such as
//                        kernel32.lib name no file and are left out).
// Always added: the flags of pkg-config for omniORB4 and omnithread4 (or
// omnithread), and -pthread. Objects go to the directory "Release" beside
// the project file. Up to two files are compiled at the same time.
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Strings = std::vector<std::string>;

std::string lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool startsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

std::string trim(const std::string& s) {
    std::size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos)
        return std::string();
    std::size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

std::string extensionOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return "";
    return lower(path.substr(dot + 1));
}

std::string baseName(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string stemOf(const std::string& path) {
    std::string base = baseName(path);
    std::size_t dot = base.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? base : base.substr(0, dot);
}

// A project path: quotes removed, "\" made "/", a leading "./" dropped.
std::string projectPath(std::string p) {
    p = trim(p);
    if (p.size() >= 2 && p.front() == '"' && p.back() == '"')
        p = p.substr(1, p.size() - 2);
    std::replace(p.begin(), p.end(), '\\', '/');
    while (startsWith(p, "./"))
        p = p.substr(2);
    return p;
}

bool isFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Splits an option line into tokens; double quotes group blanks and are
// removed ("/I "a b"" gives /I and a b; /D"X" gives /DX).
Strings tokens(const std::string& line) {
    Strings out;
    std::string cur;
    bool quoted = false, any = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (any)
                out.push_back(cur);
            cur.clear();
            any = false;
        } else {
            cur += c;
            any = true;
        }
    }
    if (any)
        out.push_back(cur);
    return out;
}

// The macros of the Windows platform that a VC6 project defines and that
// would make headers take their Windows branches on Linux.
bool isWindowsPlatformMacro(const std::string& definition) {
    std::string name = definition.substr(0, definition.find('='));
    static const std::set<std::string> kMacros = {
        "WIN32",   "_WIN32",  "WIN64",   "_WIN64",  "_WINDOWS", "_MBCS",   "_UNICODE",
        "UNICODE", "_AFXDLL", "_USRDLL", "_WINDLL", "_AFXEXT",  "_ATL_DLL"};
    return kMacros.count(name) != 0;
}

struct Project {
    std::string name;
    Strings sources;       // C and C++ files to compile
    Strings linkInputs;    // objects and libraries to link
    Strings compileFlags;  // -I and -D from # ADD CPP
    bool configurationFound = false;
    bool hasConditions = false;
};

// Reads the project file (already in its directory).
bool readProject(const std::string& file, const std::string& configuration, Project& project) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    struct Condition {
        bool parentActive;
        bool taken;   // some branch of this !IF matched
        bool active;  // the current branch is active
    };
    std::vector<Condition> conditions;
    auto active = [&] { return conditions.empty() || conditions.back().active; };
    auto matches = [&](const std::string& line) {
        // !IF  "$(CFG)" == "name" (also with !ELSEIF)
        std::size_t eq = line.find("==");
        if (eq == std::string::npos)
            return false;
        std::string rhs = trim(line.substr(eq + 2));
        if (rhs.size() >= 2 && rhs.front() == '"' && rhs.back() == '"') {
            rhs = rhs.substr(1, rhs.size() - 2);
        }
        return rhs == configuration;
    };

    bool inFile = false, excluded = false;
    Strings fileSources;
    auto addSource = [&](const std::string& raw) {
        std::string path = projectPath(raw);
        if (path.empty())
            return;
        std::string ext = extensionOf(path);
        if (ext == "cpp" || ext == "cxx" || ext == "cc" || ext == "c") {
            project.sources.push_back(path);
        } else if (ext == "lib" || ext == "obj" || ext == "a" || ext == "o") {
            project.linkInputs.push_back(path);
        }
    };

    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::string t = trim(line);
        if (startsWith(t, "!IF")) {
            project.hasConditions = true;
            bool m = matches(t);
            bool parent = active();
            conditions.push_back({parent, m, parent && m});
            if (parent && m)
                project.configurationFound = true;
            continue;
        }
        if (startsWith(t, "!ELSEIF")) {
            if (conditions.empty())
                continue;
            Condition& c = conditions.back();
            bool m = !c.taken && matches(t);
            c.active = c.parentActive && m;
            c.taken = c.taken || m;
            if (c.active)
                project.configurationFound = true;
            continue;
        }
        if (t == "!ELSE") {
            if (conditions.empty())
                continue;
            Condition& c = conditions.back();
            c.active = c.parentActive && !c.taken;
            c.taken = true;
            continue;
        }
        if (startsWith(t, "!ENDIF")) {
            if (!conditions.empty())
                conditions.pop_back();
            continue;
        }
        if (startsWith(t, "# Begin Source File")) {
            inFile = true;
            excluded = false;
            fileSources.clear();
            continue;
        }
        if (startsWith(t, "# End Source File")) {
            if (!excluded) {
                for (const std::string& s : fileSources)
                    addSource(s);
            }
            inFile = false;
            fileSources.clear();
            continue;
        }
        if (!active())
            continue;
        if (startsWith(t, "SOURCE=")) {
            if (inFile) {
                fileSources.push_back(t.substr(7));
            } else {
                addSource(t.substr(7));
            }
        } else if (inFile && startsWith(t, "# PROP Exclude_From_Build")) {
            excluded = trim(t.substr(25)) == "1";
        } else if (startsWith(t, "# ADD CPP")) {
            Strings tk = tokens(t.substr(9));
            for (std::size_t i = 0; i < tk.size(); ++i) {
                std::string opt = tk[i];
                if (opt == "/W3")
                    project.compileFlags.push_back("-Wall");
                if (opt == "/W4") {
                    project.compileFlags.push_back("-Wall");
                    project.compileFlags.push_back("-Wextra");
                }
                bool include = startsWith(opt, "/I") || startsWith(opt, "-I");
                bool define = startsWith(opt, "/D") || startsWith(opt, "-D");
                if (!include && !define)
                    continue;
                std::string value = opt.substr(2);
                if (value.empty() && i + 1 < tk.size())
                    value = tk[++i];
                if (value.empty())
                    continue;
                if (include) {
                    project.compileFlags.push_back("-I" + projectPath(value));
                } else if (!isWindowsPlatformMacro(value)) {
                    project.compileFlags.push_back("-D" + value);
                }
            }
        } else if (startsWith(t, "# ADD LINK32")) {
            for (const std::string& tok : tokens(t.substr(12))) {
                if (startsWith(tok, "/"))
                    continue;
                std::string path = projectPath(tok);
                std::string ext = extensionOf(path);
                if ((ext == "lib" || ext == "a" || ext == "o" || ext == "obj") && isFile(path)) {
                    project.linkInputs.push_back(path);
                }
            }
        }
    }
    return true;
}

// The output of a command line run through the shell (for pkg-config).
bool capture(const std::string& command, std::string& out) {
    FILE* p = ::popen(command.c_str(), "r");
    if (p == nullptr)
        return false;
    char buf[4096];
    std::size_t n;
    out.clear();
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        out.append(buf, n);
    return ::pclose(p) == 0;
}

Strings splitBlanks(const std::string& s) {
    Strings out;
    std::istringstream in(s);
    std::string w;
    while (in >> w)
        out.push_back(w);
    return out;
}

bool orbFlags(Strings& cflags, Strings& libs) {
    for (const char* packages : {"omniORB4 omnithread4", "omniORB4 omnithread", "omniORB4"}) {
        std::string c, l;
        if (capture(std::string("pkg-config --cflags ") + packages + " 2>/dev/null", c) &&
            capture(std::string("pkg-config --libs ") + packages + " 2>/dev/null", l)) {
            cflags = splitBlanks(c);
            libs = splitBlanks(l);
            return true;
        }
    }
    return false;
}

// A started program with its standard output and error in a log file.
pid_t start(const Strings& args, const std::string& log) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int finish(pid_t pid) {
    int status = 0;
    if (pid <= 0)
        return 127;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return 127;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

Strings lines(const std::string& text) {
    Strings out;
    std::istringstream in(text);
    std::string l;
    while (std::getline(in, l)) {
        if (!l.empty() && l.back() == '\r')
            l.pop_back();
        out.push_back(l);
    }
    return out;
}

bool allDigits(const std::string& s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

struct Counts {
    int errors = 0;
    int warnings = 0;
};

// Turns the compiler's diagnostics into the Visual C++ layout.
void reportCompilerOutput(const std::string& text, Counts& counts) {
    struct Severity {
        const char* gcc;
        const char* vc;
        bool error;
    };
    static const Severity kSeverities[] = {
        {": fatal error: ", "fatal error C1083", true},
        {": error: ", "error C2065", true},
        {": warning: ", "warning C4100", false},
    };
    for (const std::string& line : lines(text)) {
        std::size_t at = std::string::npos;
        const Severity* found = nullptr;
        for (const Severity& s : kSeverities) {
            std::size_t p = line.find(s.gcc);
            if (p != std::string::npos && p < at) {
                at = p;
                found = &s;
            }
        }
        if (found == nullptr)
            continue;  // notes, context and caret lines
        std::string where = line.substr(0, at);
        std::string message = line.substr(at + std::strlen(found->gcc));
        // where is file:line:column, file:line or a program name.
        Strings numbers;
        for (int i = 0; i < 2; ++i) {
            std::size_t colon = where.find_last_of(':');
            if (colon == std::string::npos || !allDigits(where.substr(colon + 1)))
                break;
            numbers.insert(numbers.begin(), where.substr(colon + 1));
            where = where.substr(0, colon);
        }
        if (numbers.empty()) {
            if (found->error) {
                std::cout << "fatal error C1083: " << message << "\n";
            } else {
                std::cout << "cl : Command line warning D4002 : " << message << "\n";
            }
        } else {
            std::cout << where << "(" << numbers.front() << ") : " << found->vc << ": " << message
                      << "\n";
        }
        if (found->error) {
            ++counts.errors;
        } else {
            ++counts.warnings;
        }
    }
}

std::string objName(std::string path) {
    path = baseName(path);
    std::string ext = extensionOf(path);
    if (ext == "o" || ext == "cpp" || ext == "cxx" || ext == "cc" || ext == "c") {
        return stemOf(path) + ".obj";
    }
    return path;
}

// Removes the linker's program prefix ("/usr/bin/ld: "); false when the line
// does not come from the linker.
bool stripLinkerPrefix(std::string& line) {
    std::size_t colon = line.find(": ");
    if (colon == std::string::npos)
        return false;
    std::string program = baseName(line.substr(0, colon));
    if (program != "ld" && !startsWith(program, "ld."))
        return false;
    line = line.substr(colon + 2);
    return true;
}

std::string between(const std::string& s, const std::string& open, const std::string& close) {
    std::size_t a = s.find(open);
    if (a == std::string::npos)
        return std::string();
    a += open.size();
    std::size_t b = s.find(close, a);
    return b == std::string::npos ? s.substr(a) : s.substr(a, b - a);
}

// Turns the linker's complaints into the Visual C++ layout; returns the
// number of unresolved symbols.
int reportLinkerOutput(const std::string& text, Counts& counts) {
    std::string object;  // the object named by the last "in function" line
    std::set<std::pair<std::string, std::string>> unresolved;
    for (std::string line : lines(text)) {
        bool fromLinker = stripLinkerPrefix(line);
        if (startsWith(line, "collect2:"))
            continue;
        std::size_t inFunction = line.find(": in function ");
        if (inFunction != std::string::npos &&
            line.find("undefined reference") == std::string::npos) {
            object = objName(line.substr(0, inFunction));
            continue;
        }
        if (line.find("undefined reference to `") != std::string::npos) {
            std::string symbol = between(line, "undefined reference to `", "'");
            std::string obj = object;
            std::size_t paren = line.find(":(");
            if (obj.empty() && paren != std::string::npos)
                obj = objName(line.substr(0, paren));
            if (obj.empty())
                obj = "LINK";
            if (unresolved.insert({obj, symbol}).second) {
                std::cout << obj << " : error LNK2001: unresolved external symbol " << symbol
                          << "\n";
                ++counts.errors;
            }
            continue;
        }
        if (line.find("multiple definition of `") != std::string::npos) {
            std::string symbol = between(line, "multiple definition of `", "'");
            std::size_t paren = line.find(":(");
            std::string obj = paren != std::string::npos ? objName(line.substr(0, paren)) : "LINK";
            std::string first = between(line, "'; ", ":(");
            std::cout << obj << " : error LNK2005: " << symbol << " already defined";
            if (!first.empty())
                std::cout << " in " << objName(first);
            std::cout << "\n";
            ++counts.errors;
            continue;
        }
        if (startsWith(line, "cannot find ")) {
            std::string name = line.substr(12);
            name = name.substr(0, name.find(": "));
            if (startsWith(name, "-l"))
                name = name.substr(2);
            std::cout << "LINK : fatal error LNK1104: cannot open file '" << name << "'\n";
            ++counts.errors;
            continue;
        }
        if (!fromLinker)
            continue;
        if (startsWith(line, "warning: ")) {
            std::cout << "LINK : warning LNK4000: " << line.substr(9) << "\n";
            ++counts.warnings;
        } else {
            std::cout << "LINK : error LNK1000: " << line << "\n";
            ++counts.errors;
        }
    }
    return static_cast<int>(unresolved.size());
}

struct Job {
    std::size_t index;
    pid_t pid;
};

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(true);
    if (argc < 2) {
        std::cout << "Usage: msdev <project>.dsp /MAKE \"<project> - Win32 Release\"\n";
        return 1;
    }
    std::string dsp = argv[1];
    std::replace(dsp.begin(), dsp.end(), '\\', '/');
    std::string configuration;
    for (int i = 2; i + 1 < argc; ++i) {
        if (lower(argv[i]) == "/make")
            configuration = argv[i + 1];
    }
    std::string projectName = stemOf(dsp);
    if (configuration.empty())
        configuration = projectName + " - Win32 Release";
    std::size_t dash = configuration.find(" - ");
    if (dash != std::string::npos)
        projectName = configuration.substr(0, dash);

    // Diagnostics in plain ASCII, whatever the caller's locale.
    ::setenv("LC_ALL", "C", 1);

    std::size_t slash = dsp.find_last_of('/');
    if (slash != std::string::npos) {
        std::string dir = slash == 0 ? "/" : dsp.substr(0, slash);
        if (::chdir(dir.c_str()) != 0) {
            std::cout << "fatal error C1083: Cannot open project file: '" << argv[1]
                      << "': No such file or directory\n";
            return 1;
        }
        dsp = dsp.substr(slash + 1);
    }

    std::cout << "--------------------Configuration: " << configuration << "--------------------\n";
    Project project;
    project.name = projectName;
    if (!readProject(dsp, configuration, project)) {
        std::cout << "fatal error C1083: Cannot open project file: '" << dsp
                  << "': No such file or directory\n";
        std::cout << projectName << ".exe - 1 error(s), 0 warning(s)\n";
        return 1;
    }
    Counts counts;
    if (project.hasConditions && !project.configurationFound) {
        std::cout << "fatal error C1083: Cannot find the configuration '" << configuration
                  << "' in project file: '" << dsp << "'\n";
        std::cout << projectName << ".exe - 1 error(s), 0 warning(s)\n";
        return 1;
    }
    // A library named both as a file of the project and on the link line is
    // linked once (an object file linked twice would define its symbols twice).
    Strings linkInputs;
    std::set<std::string> seen;
    for (const std::string& input : project.linkInputs) {
        if (seen.insert(input).second)
            linkInputs.push_back(input);
    }
    project.linkInputs = std::move(linkInputs);
    Strings orbCflags, orbLibs;
    if (!orbFlags(orbCflags, orbLibs)) {
        std::cout << "LINK : fatal error LNK1104: cannot open file 'omniORB4'\n";
        ++counts.errors;
    }

    ::mkdir("Release", 0755);
    std::cout << "Compiling...\n" << std::flush;

    // Object names, unique even for sources of the same name in two folders.
    std::vector<std::string> objects(project.sources.size());
    std::map<std::string, int> used;
    for (std::size_t i = 0; i < project.sources.size(); ++i) {
        std::string stem = stemOf(project.sources[i]);
        int n = used[stem]++;
        objects[i] = "Release/" + stem + (n ? "_" + std::to_string(n) : "") + ".o";
    }

    std::vector<bool> ok(project.sources.size(), false);
    std::vector<Job> running;
    std::size_t next = 0, shown = 0;
    std::vector<bool> done(project.sources.size(), false);
    auto logOf = [&](std::size_t i) { return objects[i] + ".log"; };
    auto show = [&]() {
        // Prints the finished files in project order.
        while (shown < project.sources.size() && done[shown]) {
            const std::string& src = project.sources[shown];
            std::cout << baseName(src) << "\n";
            if (!isFile(src)) {
                std::cout << "fatal error C1083: Cannot open source file: '" << src
                          << "': No such file or directory\n";
                ++counts.errors;
            } else {
                int before = counts.errors;
                reportCompilerOutput(readText(logOf(shown)), counts);
                if (!ok[shown] && counts.errors == before) {
                    std::cout << "fatal error C1001: the compiler failed on '" << src << "'\n";
                    ++counts.errors;
                }
            }
            ::unlink(logOf(shown).c_str());
            std::cout << std::flush;
            ++shown;
        }
    };
    while (next < project.sources.size() || !running.empty()) {
        while (next < project.sources.size() && running.size() < 2) {
            std::size_t i = next++;
            const std::string& src = project.sources[i];
            if (!isFile(src)) {
                done[i] = true;
                continue;
            }
            bool isC = extensionOf(src) == "c";
            Strings args = {isC ? "gcc" : "g++", "-c", "-pthread", "-fdiagnostics-color=never",
                            "-fno-diagnostics-show-caret"};
            if (isC) {
                args.push_back("-x");
                args.push_back("c");
            }
            for (const std::string& f : project.compileFlags)
                args.push_back(f);
            for (const std::string& f : orbCflags)
                args.push_back(f);
            args.push_back(src);
            args.push_back("-o");
            args.push_back(objects[i]);
            pid_t pid = start(args, logOf(i));
            if (pid <= 0) {
                std::ofstream(logOf(i)) << args[0] << ": error: cannot be started\n";
                done[i] = true;
                continue;
            }
            running.push_back({i, pid});
        }
        if (!running.empty()) {
            Job job = running.front();
            running.erase(running.begin());
            ok[job.index] = finish(job.pid) == 0;
            done[job.index] = true;
        }
        show();
    }
    show();

    for (const std::string& input : project.linkInputs) {
        if (!isFile(input)) {
            std::cout << "LINK : fatal error LNK1104: cannot open file '" << input << "'\n";
            ++counts.errors;
        }
    }

    bool built = false;
    if (counts.errors == 0) {
        std::cout << "Linking...\n" << std::flush;
        Strings args = {"g++", "-pthread", "-o", project.name};
        for (const std::string& o : objects)
            args.push_back(o);
        for (const std::string& l : project.linkInputs)
            args.push_back(l);
        for (const std::string& l : orbLibs)
            args.push_back(l);
        std::string log = "Release/" + project.name + ".link.log";
        int rc = finish(start(args, log));
        int before = counts.errors;
        int unresolved = reportLinkerOutput(readText(log), counts);
        ::unlink(log.c_str());
        if (unresolved > 0) {
            std::cout << project.name << ".exe : fatal error LNK1120: " << unresolved
                      << " unresolved externals\n";
            ++counts.errors;
        }
        if (rc != 0 && counts.errors == before) {
            std::cout << "LINK : fatal error LNK1000: the linker failed\n";
            ++counts.errors;
        }
        built = rc == 0 && counts.errors == 0;
    }
    std::cout << "\n"
              << project.name << ".exe - " << counts.errors << " error(s), " << counts.warnings
              << " warning(s)\n";
    return built ? 0 : 1;
}
