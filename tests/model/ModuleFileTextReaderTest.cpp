#include <gtest/gtest.h>

#include "TestSupport.h"
#include "model/persistence/TextReader.h"
#include "platform/Platform.h"

using orven::model::persistence::TextReader;

namespace {

std::vector<std::string> allLines(TextReader& r) {
    std::vector<std::string> lines;
    std::string l;
    while (r.getLine(l))
        lines.push_back(l);
    return lines;
}

}  // namespace

TEST(ModuleFileTextReader, LinesWithEitherLineEnd) {
    TextReader r(std::string_view("a\r\nb\n\r\nc\rd\ne"));
    std::vector<std::string> want = {"a", "b", "", "c\rd", "e"};
    EXPECT_EQ(allLines(r), want);
    EXPECT_TRUE(r.atEnd());
    TextReader empty(std::string_view(""));
    std::string l = "x";
    EXPECT_FALSE(empty.getLine(l));
    EXPECT_EQ(l, "");
}

TEST(ModuleFileTextReader, SkipsAndOffsets) {
    std::string_view text = "ab$cd(ef)gh";
    TextReader r(text);
    EXPECT_TRUE(r.skipPast('$'));
    EXPECT_EQ(r.offset(), 3u);
    std::string v;
    EXPECT_TRUE(r.readUntil('(', v));
    EXPECT_EQ(v, "cd");
    EXPECT_TRUE(r.readThrough(')', v));
    EXPECT_EQ(v, "ef)");
    EXPECT_EQ(r.peek(), 'g');
    EXPECT_EQ(r.get(), 'g');
    EXPECT_FALSE(r.skipPast('$'));
    EXPECT_EQ(r.get(), TextReader::kEnd);
    EXPECT_EQ(r.offset(), text.size());
    TextReader r2(std::string_view("abc"));
    EXPECT_FALSE(r2.readUntil('x', v));
}

TEST(ModuleFileTextReader, FileAcrossBufferBoundaries) {
    orven::test::TempDir dir;
    std::string text;
    std::vector<std::string> want;
    for (int i = 0; i < 20000; ++i) {
        std::string line(i % 97, static_cast<char>('a' + i % 26));
        want.push_back(line);
        text += line + (i % 3 == 0 ? "\r\n" : "\n");
    }
    text += "$tail";
    orven::test::writeFile(dir.file("big.txt"), text);
    TextReader r(orven::platform::openForReading(dir.file("big.txt")));
    std::string l;
    for (const std::string& w : want) {
        ASSERT_TRUE(r.getLine(l));
        ASSERT_EQ(l, w);
    }
    EXPECT_TRUE(r.skipPast('$'));
    EXPECT_EQ(r.offset(), text.size() - 4);
    EXPECT_FALSE(r.failed());
}
