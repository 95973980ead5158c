#include "TestSupport.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace orven::test {

std::string sourceDir() {
    return ORVEN_SOURCE_DIR;
}
std::string binaryDir() {
    return ORVEN_BINARY_DIR;
}

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "orven-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "cannot create a temporary directory";
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    // Make read-only leftovers of tests removable.
    for (auto it = fs::recursive_directory_iterator(path_, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::remove_all(path_, ec);
}

ScopedCwd::ScopedCwd(const std::string& dir) : previous_(fs::current_path().string()) {
    fs::current_path(dir);
}

ScopedCwd::~ScopedCwd() {
    std::error_code ec;
    fs::current_path(previous_, ec);
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    ASSERT_TRUE(out) << "cannot write " << path;
    out << bytes;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool fileExists(const std::string& path) {
    return fs::exists(path);
}

namespace {
std::string prepared(const TempDir& dir) {
    std::error_code ec;
    fs::copy(sourceDir() + "/data", dir.path(), fs::copy_options::recursive, ec);
    if (ec)
        ADD_FAILURE() << "cannot copy data/: " << ec.message();
    fs::create_directories(dir.path() + "/externals", ec);
    return dir.path();
}
}  // namespace

EngineWorkDir::EngineWorkDir() : dir_(), cwd_(prepared(dir_)) {}

}  // namespace orven::test
