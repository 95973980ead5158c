// tao_idl: the IDL compiler of the generated projects, built on omniidl.
//
//   tao_idl [-Idir]... [-o dir] File.idl
//
// For File.idl it writes, beside the IDL file (or into the -o directory):
//   FileC.h    client header: types, constants, object references and the
//              POA skeleton classes in the C++ mapping of omniORB
//   FileC.cpp  client and skeleton code
//   FileS.h    skeleton header: includes FileC.h and lists, per interface of
//              the file, every operation the servant implements, one
//              declaration a line in the form "virtual <ret> <op> ( <args> ) = 0;"
//   FileS.cpp  the skeleton source (the code itself is in FileC.cpp)
// IDL files included with #include "X.idl" that lie beside File.idl (or in an
// -I directory) are compiled the same way first, so that their stubs exist.
//
// Diagnostics of omniidl are printed on stderr in the form
//   tao_idl: "File.idl", line 12: message
// and a failed compilation exits with a non-zero code (1 bad IDL or files
// that cannot be written, 2 omniidl cannot be run, 3 bad command line).
// The environment variable ORVEN_OMNIIDL names another omniidl program.

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Operation {
    std::string returnType;
    std::string name;
    std::string arguments;
};

struct Interface {
    std::vector<std::string> scope;  // enclosing IDL modules, outermost first
    std::string name;
    std::vector<Operation> operations;
};

bool readWhole(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream s;
    s << in.rdbuf();
    text = s.str();
    return true;
}

bool writeWhole(const std::string& path, const std::string& text) {
    std::string tmp = path + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out << text;
        out.flush();
        if (!out) {
            std::remove(tmp.c_str());
            return false;
        }
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
        std::remove(tmp.c_str());
        return false;
    }
    return true;
}

bool fileExists(const std::string& path) {
    struct stat s {};
    return ::stat(path.c_str(), &s) == 0 && S_ISREG(s.st_mode);
}

std::string trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 32)
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32)
        --e;
    return s.substr(b, e - b);
}

bool isIdentChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool startsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

// Splits "dir/File.idl" into "dir" ("." when none) and "File".
void splitIdlPath(const std::string& path, std::string& dir, std::string& stem) {
    size_t slash = path.find_last_of('/');
    dir = slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
    std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = file.rfind('.');
    stem = dot == std::string::npos ? file : file.substr(0, dot);
}

// "file:12: message" -> "tao_idl: "file", line 12: message"; other lines stay.
std::string translateDiagnostic(const std::string& line) {
    size_t c1 = line.find(':');
    if (c1 == std::string::npos || c1 == 0)
        return line;
    size_t c2 = line.find(':', c1 + 1);
    if (c2 == std::string::npos || c2 == c1 + 1)
        return line;
    for (size_t i = c1 + 1; i < c2; ++i) {
        if (line[i] < '0' || line[i] > '9')
            return line;
    }
    std::string file = line.substr(0, c1);
    if (file == "omniidl")
        return "tao_idl:" + line.substr(c1 + 1);
    std::string message = line.substr(c2 + 1);
    if (!message.empty() && message[0] == ' ')
        message.erase(0, 1);
    return "tao_idl: \"" + file + "\", line " + line.substr(c1 + 1, c2 - c1 - 1) + ": " + message;
}

// Runs omniidl with the arguments, its output read through a pipe and echoed
// on stderr as diagnostics. Returns the exit code, or -1 when it cannot run.
int runOmniidl(const std::vector<std::string>& args, bool& sawOutput) {
    sawOutput = false;
    int fds[2];
    if (::pipe(fds) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 2);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    int rc = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    if (rc != 0) {
        ::close(fds[0]);
        errno = rc;
        return -1;
    }
    std::string pending;
    char buf[4096];
    for (;;) {
        ssize_t n = ::read(fds[0], buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        pending.append(buf, static_cast<size_t>(n));
        size_t nl;
        while ((nl = pending.find('\n')) != std::string::npos) {
            std::cerr << translateDiagnostic(pending.substr(0, nl)) << '\n';
            sawOutput = true;
            pending.erase(0, nl + 1);
        }
    }
    if (!pending.empty()) {
        std::cerr << translateDiagnostic(pending) << '\n';
        sawOutput = true;
    }
    ::close(fds[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    if (WIFEXITED(status)) {
        // omniidl reports a missing interpreter or back end as 127/126.
        if (WEXITSTATUS(status) == 127)
            return -1;
        return WEXITSTATUS(status);
    }
    return 128;
}

// Parses one "virtual <ret> <name>(<args>) = 0;" declaration.
bool parseDeclaration(const std::string& line, Operation& op) {
    std::string t = trim(line);
    if (!startsWith(t, "virtual "))
        return false;
    size_t open = t.find('(');
    size_t close = t.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open)
        return false;
    std::string tail = trim(t.substr(close + 1));
    if (tail != "= 0;" && tail != "=0;")
        return false;
    size_t nameEnd = open;
    while (nameEnd > 0 && t[nameEnd - 1] == ' ')
        --nameEnd;
    size_t nameBegin = nameEnd;
    while (nameBegin > 0 && isIdentChar(t[nameBegin - 1]))
        --nameBegin;
    if (nameBegin == nameEnd)
        return false;
    op.name = t.substr(nameBegin, nameEnd - nameBegin);
    op.returnType = trim(t.substr(8, nameBegin - 8));
    op.arguments = trim(t.substr(open + 1, close - open - 1));
    return !op.returnType.empty();
}

// Reads the "_impl_" classes of an omniidl client header: the servant-side
// declaration of every interface of the IDL file, with its module scope.
std::vector<Interface> readImplClasses(const std::string& header) {
    std::vector<Interface> result;
    std::vector<std::string> scope;
    std::istringstream in(header);
    std::string line;
    Interface* current = nullptr;
    bool skeletonPart = false;  // POA_ and OBV_ modules repeat the scopes
    while (std::getline(in, line)) {
        std::string t = trim(line);
        if (startsWith(t, "_CORBA_MODULE ")) {
            std::string name = trim(t.substr(14));
            if (scope.empty())
                skeletonPart = startsWith(name, "POA_") || startsWith(name, "OBV_");
            scope.push_back(name);
            continue;
        }
        if (t == "_CORBA_MODULE_END") {
            if (!scope.empty())
                scope.pop_back();
            continue;
        }
        if (skeletonPart)
            continue;
        if (current == nullptr) {
            if (startsWith(t, "class _impl_") && t.back() != ';') {
                std::string rest = t.substr(12);
                size_t end = 0;
                while (end < rest.size() && isIdentChar(rest[end]))
                    ++end;
                Interface iface;
                iface.scope = scope;
                iface.name = rest.substr(0, end);
                result.push_back(iface);
                current = &result.back();
            }
            continue;
        }
        if (t == "};") {
            current = nullptr;
            continue;
        }
        Operation op;
        if (parseDeclaration(t, op))
            current->operations.push_back(op);
    }
    return result;
}

std::string guardName(const std::string& stem, const std::string& suffix) {
    std::string g = "TAO_IDL_";
    for (char c : stem + suffix)
        g += isIdentChar(c) ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : '_';
    return g + "_INCLUDED";
}

std::string skeletonHeader(const std::string& stem, const std::vector<Interface>& ifaces) {
    std::ostringstream o;
    o << "// " << stem << "S.h: skeleton header of " << stem << ".idl, written by tao_idl.\n"
      << "// The POA skeleton classes are declared in " << stem << "C.h. The classes\n"
      << "// below list, for each interface, the operations that its servant\n"
      << "// implements, with their C++ parameters.\n"
      << "#ifndef " << guardName(stem, "S_h") << "\n#define " << guardName(stem, "S_h") << "\n\n"
      << "#include \"" << stem << "C.h\"\n";
    for (const Interface& i : ifaces) {
        // Inside the interface's own scope, so that the names the ORB's
        // mapping leaves unqualified resolve as in the client header.
        std::string open, close, scoped = "POA_";
        for (size_t k = 0; k < i.scope.size(); ++k) {
            open += "namespace " + i.scope[k] + " { ";
            close += "}";
            scoped += i.scope[k] + "::";
        }
        o << "\n"
          << open << "namespace tao_idl_operations {\n// Skeleton: " << scoped << i.name
          << "\nclass " << i.name << " {\npublic:\n  virtual ~" << i.name << "() {}\n";
        for (const Operation& op : i.operations) {
            o << "  virtual " << op.returnType << " " << op.name << " ( " << op.arguments
              << (op.arguments.empty() ? "" : " ") << ") = 0;\n";
        }
        o << "};\n}" << close << "\n";
    }
    o << "\n#endif\n";
    return o.str();
}

std::string skeletonSource(const std::string& stem) {
    return "// " + stem + "S.cpp: skeleton source of " + stem +
           ".idl, written by tao_idl.\n// The skeleton code is compiled with " + stem +
           "C.cpp.\n#include \"" + stem + "S.h\"\n";
}

// The names of the IDL files that the text includes with #include "X.idl".
std::vector<std::string> includedIdlFiles(const std::string& text) {
    std::vector<std::string> names;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        std::string t = trim(line);
        if (!startsWith(t, "#"))
            continue;
        t = trim(t.substr(1));
        if (!startsWith(t, "include"))
            continue;
        t = trim(t.substr(7));
        if (t.size() < 2 || (t[0] != '"' && t[0] != '<'))
            continue;
        char closeCh = t[0] == '"' ? '"' : '>';
        size_t end = t.find(closeCh, 1);
        if (end == std::string::npos)
            continue;
        std::string name = t.substr(1, end - 1);
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".idl") == 0)
            names.push_back(name);
    }
    return names;
}

struct Options {
    std::vector<std::string> includeDirs;
    std::string outputDir;  // empty: beside the IDL file
};

int compileFile(const std::string& path, const Options& opts, std::set<std::string>& done,
                int depth) {
    if (depth > 32) {
        std::cerr << "tao_idl: \"" << path << "\": includes nest too deeply\n";
        return 1;
    }
    if (!done.insert(path).second)
        return 0;
    std::string text;
    if (!readWhole(path, text)) {
        std::cerr << "tao_idl: \"" << path << "\", line 0: cannot open the IDL file\n";
        return 1;
    }
    std::string dir, stem;
    splitIdlPath(path, dir, stem);
    std::string outDir = opts.outputDir.empty() ? dir : opts.outputDir;

    std::vector<std::string> searchDirs{dir};
    searchDirs.insert(searchDirs.end(), opts.includeDirs.begin(), opts.includeDirs.end());
    for (const std::string& inc : includedIdlFiles(text)) {
        for (const std::string& d : searchDirs) {
            std::string candidate = d + "/" + inc;
            if (fileExists(candidate)) {
                int rc = compileFile(candidate, opts, done, depth + 1);
                if (rc != 0)
                    return rc;
                break;
            }
        }
    }

    const char* tool = std::getenv("ORVEN_OMNIIDL");
    std::vector<std::string> args{tool != nullptr && *tool != '\0' ? tool : "omniidl",
                                  "-bcxx",
                                  "-Wbh=C.h",
                                  "-Wbs=C.cpp",
                                  "-Wbuse-quotes",
                                  "-C" + outDir,
                                  "-I" + dir};
    for (const std::string& d : opts.includeDirs)
        args.push_back("-I" + d);
    args.push_back(path);
    bool sawOutput = false;
    int rc = runOmniidl(args, sawOutput);
    if (rc < 0) {
        std::cerr << "tao_idl: cannot run " << args[0] << " (" << std::strerror(errno) << ")\n";
        return 2;
    }
    if (rc != 0) {
        if (!sawOutput)
            std::cerr << "tao_idl: \"" << path << "\", line 0: compilation failed\n";
        return 1;
    }
    std::string clientHeader;
    if (!readWhole(outDir + "/" + stem + "C.h", clientHeader)) {
        std::cerr << "tao_idl: \"" << path << "\", line 0: client header " << stem
                  << "C.h was not written\n";
        return 1;
    }
    std::vector<Interface> ifaces = readImplClasses(clientHeader);
    if (!writeWhole(outDir + "/" + stem + "S.h", skeletonHeader(stem, ifaces)) ||
        !writeWhole(outDir + "/" + stem + "S.cpp", skeletonSource(stem))) {
        std::cerr << "tao_idl: \"" << path << "\", line 0: cannot write the skeleton files\n";
        return 1;
    }
    return 0;
}

void usage() {
    std::cerr << "usage: tao_idl [-Idir]... [-o dir] File.idl\n";
}

}  // namespace

int main(int argc, char** argv) {
    Options opts;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (startsWith(a, "-I")) {
            std::string d = a.size() > 2 ? a.substr(2) : (i + 1 < argc ? argv[++i] : "");
            if (d.empty()) {
                usage();
                return 3;
            }
            opts.includeDirs.push_back(d);
        } else if (a == "-o") {
            if (i + 1 >= argc) {
                usage();
                return 3;
            }
            opts.outputDir = argv[++i];
        } else if (!a.empty() && a[0] == '-') {
            std::cerr << "tao_idl: option " << a << " ignored\n";
        } else {
            files.push_back(a);
        }
    }
    if (files.empty()) {
        usage();
        return 3;
    }
    std::set<std::string> done;
    for (const std::string& f : files) {
        int rc = compileFile(f, opts, done, 0);
        if (rc != 0)
            return rc;
    }
    return 0;
}
