#include <gtest/gtest.h>

#include <random>

#include "model/persistence/CompactText.h"
#include "orven.h"

using orven::model::persistence::decodeCompactText;
using orven::model::persistence::writeCompactText;

TEST(CompactText, WrittenBlocks) {
    struct Case {
        std::string text;
        int level;
        std::string block;
    };
    const Case cases[] = {
        {"", 1, "\n\tCompactStr(0)\n\tEndCompactStr"},
        {"", 0, "\nCompactStr(0)\nEndCompactStr"},
        {"abc", 0, "\nCompactStr(3)\n\t616263\nEndCompactStr"},
        {"n = 0;", 0, "\nCompactStr(6)\n\t6e203d20303b\nEndCompactStr"},
        {"Counts pulses", 1, "\n\tCompactStr(13)\n\t\t436f756e74732070756c736573\n\tEndCompactStr"},
        {"\xe9", 2, "\n\t\tCompactStr(1)\n\t\t\t*ffe9\n\t\tEndCompactStr"},
        {std::string("\0\x7f\x80\xff", 4), 0, "\nCompactStr(4)\n\t007f*ff80*ffff\nEndCompactStr"},
        {"line\nend", 0, "\nCompactStr(8)\n\t6c696e650a656e64\nEndCompactStr"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(writeCompactText(c.text, c.level), c.block) << c.text;
        EXPECT_EQ(decodeCompactText(c.block.substr(1)), c.text) << c.text;
    }
    std::string crlf;
    orven::model::persistence::appendCompactText(crlf, "abc", 1);
    EXPECT_EQ(crlf, "\r\n\tCompactStr(3)\r\n\t\t616263\r\n\tEndCompactStr");
}

TEST(CompactText, ChunksOf32Bytes) {
    std::string text(33, 'x');
    std::string block = writeCompactText(text, 0);
    // Two chunk lines of 64 and 2 digits.
    std::string chunk;
    for (int i = 0; i < 32; ++i)
        chunk += "78";
    EXPECT_EQ(block, "\nCompactStr(33)\n\t" + chunk + "\n\t78\nEndCompactStr");
    EXPECT_EQ(decodeCompactText(block.substr(1)), text);
}

TEST(CompactText, DecodingRules) {
    struct Case {
        const char* what;
        std::string block;
        std::string text;
    };
    const Case cases[] = {
        {"upper-case digits", "CompactStr(3)\n\t4A4b4C\nEndCompactStr", "JKL"},
        {"a pair that is no number gives a space", "CompactStr(3)\n\t61zz63\nEndCompactStr", "a c"},
        {"one bad digit in a pair", "CompactStr(2)\n\t6g61\nEndCompactStr", " a"},
        {"the last two digits after a star", "CompactStr(2)\n\t*0041*ffe9\nEndCompactStr", "A\xe9"},
        {"a star cut short", "CompactStr(2)\n\t61*ff6\nEndCompactStr", ""},
        {"a star at the line end", "CompactStr(2)\n\t61*\nEndCompactStr", ""},
        {"fewer bytes than announced", "CompactStr(4)\n\t616263\nEndCompactStr", ""},
        {"more bytes than announced: whole lines", "CompactStr(2)\n\t616263\n\t6465\nEndCompactStr",
         "abc"},
        {"no length", "CompactStr\n\t616263\nEndCompactStr", ""},
        {"no closing parenthesis", "CompactStr(3\n\t616263\nEndCompactStr", ""},
        {"a length that is no number", "CompactStr(x)\n\t616263\nEndCompactStr", ""},
        {"extra tabs on every line", "CompactStr(4)\n\t\t\t6162\n\t\t\t\t6364\nEndCompactStr",
         "abcd"},
        {"no tab: the first character is passed over", "CompactStr(1)\n616\nEndCompactStr", "\x16"},
        {"an odd last digit pairs with the line end", "CompactStr(2)\n\t616\nEndCompactStr", "a "},
        {"no end line", "CompactStr(3)\n\t616263", "abc"},
        {"the end line before the bytes", "CompactStr(3)\n\t6162\nEndCompactStr\n\t63", ""},
        {"a huge length", "CompactStr(99999999999999999999)\n\t61\nEndCompactStr", ""},
        {"empty input", "", ""},
        {"only a header", "CompactStr(0)", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(decodeCompactText(c.block), c.text) << c.what;
    }
}

TEST(CompactText, EveryByteRoundTrips) {
    std::string all;
    for (int i = 0; i < 256; ++i)
        all.push_back(static_cast<char>(i));
    std::mt19937 rng(7);
    std::string random;
    for (int i = 0; i < 5000; ++i)
        random.push_back(static_cast<char>(rng() & 0xff));
    for (const std::string& t : {all, random}) {
        for (int level = 0; level < 4; ++level) {
            EXPECT_EQ(decodeCompactText(writeCompactText(t, level).substr(1)), t);
        }
    }
}

TEST(CompactText, HeaderAndEndLines) {
    using orven::model::persistence::isCompactEndLine;
    using orven::model::persistence::isCompactHeaderLine;
    EXPECT_TRUE(isCompactHeaderLine("\t\tCompactStr(3)"));
    EXPECT_TRUE(isCompactHeaderLine("xCompactStr("));
    EXPECT_FALSE(isCompactHeaderLine("Compact Str(3)"));
    EXPECT_TRUE(isCompactHeaderLine("ACompactStr(3)"));
    EXPECT_FALSE(isCompactHeaderLine("CompactStr"));
    EXPECT_FALSE(isCompactHeaderLine("Code: CompactStr(1)"));  // the first "C" counts
    EXPECT_TRUE(isCompactEndLine("\tEndCompactStr"));
    EXPECT_TRUE(isCompactEndLine("EndCompactStr and more"));
    EXPECT_FALSE(isCompactEndLine("EndCompactSt"));
    EXPECT_FALSE(isCompactEndLine("4E6572"));
}

TEST(CompactText, DecompactTextExport) {
    char buf[16];
    EXPECT_EQ(DecompactText("CompactStr(3)\r\n\t616263\r\nEndCompactStr", buf, sizeof buf), 1);
    EXPECT_STREQ(buf, "abc");
    EXPECT_EQ(DecompactText("garbage", buf, sizeof buf), 1);
    EXPECT_STREQ(buf, "");
    EXPECT_EQ(DecompactText(nullptr, buf, sizeof buf), 1);
    EXPECT_STREQ(buf, "");
    EXPECT_EQ(DecompactText("CompactStr(3)\n\t616263\nEndCompactStr", buf, 3), 1);
    EXPECT_STREQ(buf, "ab");
    EXPECT_EQ(DecompactText("CompactStr(3)\n\t616263\nEndCompactStr", nullptr, 3), 1);
    // Carriage returns in the decoded text are skipped on the way out.
    EXPECT_EQ(DecompactText("CompactStr(3)\n\t610d62\nEndCompactStr", buf, sizeof buf), 1);
    EXPECT_STREQ(buf, "ab");
}
