#include "model/TemporaryExternals.h"

#include <array>
#include <cstring>

#include "model/ExternalEntry.h"
#include "platform/Platform.h"

namespace orven::model {

namespace {

// One counter for the whole process: -1 when the library is loaded,
// increased before every try.
long long g_temporaryCounter = -1;

constexpr std::size_t kBlock = 16384;

std::string backslashed(std::string text) {
    for (char& c : text) {
        if (c == '/')
            c = '\\';
    }
    return text;
}

void putU32(unsigned char* p, std::uint32_t v) {
    p[0] = static_cast<unsigned char>(v & 0xff);
    p[1] = static_cast<unsigned char>((v >> 8) & 0xff);
    p[2] = static_cast<unsigned char>((v >> 16) & 0xff);
    p[3] = static_cast<unsigned char>((v >> 24) & 0xff);
}

std::uint32_t getU32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// Copies exactly n bytes from the current position of in to the current
// position of out.
bool copyBytes(platform::File& in, platform::File& out, std::uint64_t n) {
    std::array<char, kBlock> block;
    while (n > 0) {
        std::size_t chunk = n < kBlock ? static_cast<std::size_t>(n) : kBlock;
        if (!in.read(block.data(), chunk) || !out.write(block.data(), chunk))
            return false;
        n -= chunk;
    }
    return true;
}

}  // namespace

TemporaryExternals::TemporaryExternals(std::string_view directory, std::string_view groupName)
    : directory_(backslashed(std::string(directory))), groupName_(groupName) {}

TemporaryExternals::~TemporaryExternals() {
    removeAll();
}

void TemporaryExternals::resetCounterForTests() {
    g_temporaryCounter = -1;
}

std::string TemporaryExternals::newTemporaryName() {
    for (;;) {
        ++g_temporaryCounter;
        std::string name = backslashed(directory_ + "/" + groupName_ + "_" +
                                       std::to_string(g_temporaryCounter) + ".tmp");
        // Anything that stands under the name (also a read-only file or a
        // directory) is left alone.
        if (!platform::fileStatus(name).exists)
            return name;
    }
}

bool TemporaryExternals::ensureDirectory() const {
    return platform::isDirectory(directory_) || platform::makeDirectory(directory_);
}

bool TemporaryExternals::addFile(std::string_view path, std::string_view name) {
    std::string source = backslashed(std::string(path) + "/" + std::string(name));
    if (!ensureDirectory())
        return false;
    std::string temporary = newTemporaryName();
    {
        platform::File in = platform::openExisting(source);
        if (!in)
            return false;
        platform::File out = platform::createFile(temporary);
        if (!out)
            return false;
    }
    if (!platform::copyFile(source, temporary)) {
        platform::deleteFile(temporary);
        return false;
    }
    // The size of what was really copied.
    platform::FileStatus copied = platform::fileStatus(temporary);
    records_.push_back(Record{std::string(name), temporary, copied.size});
    return true;
}

int TemporaryExternals::indexOf(std::string_view name) const {
    for (std::size_t i = 0; i < records_.size(); ++i) {
        if (records_[i].name == name)
            return static_cast<int>(i);
    }
    return -1;
}

bool TemporaryExternals::removeAt(std::size_t position) {
    if (position >= records_.size())
        return false;
    std::string temporary = records_[position].temporaryPath;
    records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(position));
    return platform::deleteFile(temporary);
}

bool TemporaryExternals::copyOut(std::size_t position, std::string_view directory,
                                 std::string_view name) const {
    if (position >= records_.size() || !isPlainFileName(name))
        return false;
    std::string destination = backslashed(std::string(directory) + "/" + std::string(name));
    return platform::copyFile(records_[position].temporaryPath, destination);
}

void TemporaryExternals::removeAll() {
    while (!records_.empty())
        removeAt(0);
}

bool TemporaryExternals::extract(std::string_view moduleFile, std::uint64_t position) {
    removeAll();
    auto fail = [this] {
        removeAll();
        return false;
    };
    platform::FileStatus status = platform::fileStatus(moduleFile);
    platform::File in = platform::openExisting(moduleFile);
    if (!in)
        return fail();
    const std::uint64_t fileSize = status.size;
    unsigned char head[4];
    if (position > fileSize || fileSize - position < 4)
        return fail();
    if (!in.seek(position) || !in.read(head, 4))
        return fail();
    const std::uint64_t count = getU32(head);
    const std::uint64_t tableEnd = position + 4 + kRecordSize * count;
    if (tableEnd > fileSize)
        return fail();
    // The embedded files lie after the table; together they cannot be
    // larger than what the file holds after it.
    std::uint64_t room = fileSize - tableEnd;
    if (count > 0 && !ensureDirectory())
        return fail();
    for (std::uint64_t k = 0; k < count; ++k) {
        unsigned char record[kRecordSize];
        if (!in.seek(position + 4 + kRecordSize * k) || !in.read(record, kRecordSize)) {
            return fail();
        }
        std::size_t nameLength = 0;
        while (nameLength < kNameField && record[nameLength] != 0)
            ++nameLength;
        std::string name(reinterpret_cast<const char*>(record), nameLength);
        std::uint64_t start = getU32(record + kNameField);
        std::uint64_t size = getU32(record + kNameField + 4);
        if (start < tableEnd || start > fileSize || size > fileSize - start || size > room) {
            return fail();
        }
        room -= size;
        std::string temporary = newTemporaryName();
        platform::File out = platform::createFile(temporary);
        if (!out)
            return fail();
        bool ok = in.seek(start) && copyBytes(in, out, size);
        ok = out.close() && ok;
        if (!ok) {
            platform::deleteFile(temporary);
            return fail();
        }
        records_.push_back(Record{name, temporary, size});
    }
    return true;
}

bool TemporaryExternals::appendTo(platform::File& out, std::uint64_t position) const {
    const std::uint64_t count = records_.size();
    std::uint64_t next = position + 4 + kRecordSize * count;
    std::vector<unsigned char> table(4 + kRecordSize * count, 0);
    if (count > 0xffffffffULL)
        return false;
    putU32(table.data(), static_cast<std::uint32_t>(count));
    for (std::size_t k = 0; k < records_.size(); ++k) {
        const Record& r = records_[k];
        // The name field holds at most 127 bytes and a zero byte; a longer
        // name could not be found again.
        if (r.name.size() >= kNameField)
            return false;
        if (next > 0xffffffffULL || r.size > 0xffffffffULL)
            return false;
        unsigned char* p = table.data() + 4 + kRecordSize * k;
        std::memcpy(p, r.name.data(), r.name.size());
        putU32(p + kNameField, static_cast<std::uint32_t>(next));
        putU32(p + kNameField + 4, static_cast<std::uint32_t>(r.size));
        next += r.size;
    }
    if (next > 0x100000000ULL)
        return false;
    if (!out.seek(position) || !out.write(table.data(), table.size()))
        return false;
    for (const Record& r : records_) {
        platform::File in = platform::openExisting(r.temporaryPath);
        if (!in || !copyBytes(in, out, r.size))
            return false;
    }
    return true;
}

bool TemporaryExternals::appendTo(std::string_view moduleFile, std::uint64_t position) const {
    platform::File out = platform::openExisting(moduleFile);
    if (!out)
        return false;
    bool ok = appendTo(out, position);
    return out.close() && ok;
}

}  // namespace orven::model
