#include <gtest/gtest.h>

#include <cstring>

#include "api/Boundary.h"

using orven::api::textIn;
using orven::api::textOut;

TEST(Boundary, IncomingTextsLoseTheirCarriageReturns) {
    EXPECT_EQ(textIn(nullptr), "");
    EXPECT_EQ(textIn("a\r\nb\rc\r"), "a\nbc");
    EXPECT_EQ(textIn(""), "");
}

TEST(Boundary, CopyRule) {
    struct Case {
        const char* text;
        int size;
        const char* expected;
    };
    const Case cases[] = {
        {"abc\r\ndef", 5, "abc\n"},     // carriage return skipped, cut to size - 1
        {"abc", 1, ""},                 // size 1 gives the empty text
        {"", 8, ""},                    // empty text: a single zero byte
        {"abc\r\ndef", 0, "abc\ndef"},  // size 0: no limit
        {"abcdef", 7, "abcdef"},
        {"abcdef", 6, "abcde"},
    };
    for (const Case& c : cases) {
        char buf[32];
        std::memset(buf, 'X', sizeof buf);
        textOut(c.text, buf, c.size);
        EXPECT_STREQ(buf, c.expected) << c.text << " size " << c.size;
    }
}

TEST(Boundary, NullBufferAndNegativeSizeWriteNothing) {
    EXPECT_EQ(textOut("abc", nullptr, 10), 0);
    char buf[4] = {'X', 'X', 'X', 'X'};
    textOut("abc", buf, -5);
    EXPECT_EQ(buf[0], 'X');
}

TEST(Boundary, GuardTurnsExceptionsIntoFailure) {
    EXPECT_EQ(orven::api::guarded([]() -> int { throw 42; }), 0);
    EXPECT_EQ(orven::api::guarded([]() -> int { throw std::bad_alloc(); }, -1), -1);
    EXPECT_EQ(orven::api::guarded([] { return 7; }), 7);
}
