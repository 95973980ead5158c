// The texts of the designer: numbers, times, signal items and service
// references.
#include <gtest/gtest.h>

#include "Texts.h"

namespace orven::designer {
namespace {

TEST(Texts, NumbersCarryTheirSignPosition) {
    EXPECT_EQ(withSign(0), " 0");
    EXPECT_EQ(withSign(12), " 12");
    EXPECT_EQ(withSign(-3), "-3");
}

TEST(Texts, TrimmingRemovesOnlyBlanks) {
    EXPECT_EQ(trimBlanks("  ab c  "), "ab c");
    EXPECT_EQ(trimBlanks("\tx\n"), "\tx\n");
    EXPECT_EQ(trimBlanks("   "), "");
}

TEST(Texts, LeadingNumber) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"12", 12}, {"  12.5", 12.5}, {"-5", -5},    {"40000", 40000}, {"7abc", 7}, {"abc", 0},
        {"", 0},    {".5", 0.5},      {"1e3", 1000}, {"1e", 1},        {"+3", 3},   {"-", 0},
        {"3.", 3},  {"INF", 0},       {"0x10", 0},   {"1e999", 0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(leadingNumber(QString::fromLatin1(c.text)), c.value) << c.text;
    }
}

TEST(Texts, RoundingTakesHalvesToEven) {
    EXPECT_EQ(roundHalfEven(12.5), 12);
    EXPECT_EQ(roundHalfEven(13.5), 14);
    EXPECT_EQ(roundHalfEven(12.4), 12);
    EXPECT_EQ(roundHalfEven(12.6), 13);
    EXPECT_EQ(roundHalfEven(0.5), 0);
}

TEST(Texts, TimesOfReferences) {
    struct Case {
        float time;
        const char* text;
    };
    const Case cases[] = {{0, "0"},     {2.5f, "2.5"},        {0.5f, ".5"},
                          {-1, "INF"},  {-0.25f, "INF"},      {0.1f, ".1"},
                          {100, "100"}, {1.25e-3f, ".00125"}, {1234567, "1234567"}};
    for (const Case& c : cases) {
        EXPECT_EQ(timeText(c.time), QString::fromLatin1(c.text)) << c.time;
    }
    // Values that need an exponent still read back.
    for (float t : {1e20f, 3e-9f, 12345678.0f}) {
        EXPECT_FLOAT_EQ(timeValue(timeText(t)), t) << timeText(t).toStdString();
    }
}

TEST(Texts, SignalItems) {
    EXPECT_EQ(formatSignalItem(0, "tick", "E", "7"), "(E) tick  =>  7");
    EXPECT_EQ(formatSignalItem(1, " ring ", "N", "3 "), "(N) ring, 3");
    EXPECT_EQ(formatSignalItem(4, "x", "Q", "1"), "<error in the type of the signal #4>");
}

TEST(Texts, ServiceReferences) {
    EXPECT_EQ(formatServiceReference("Clock", "tick", 0, -1), "[Clock]:[tick]@(0,INF)");
    EXPECT_EQ(formatServiceReference("Clock", "", 0, 0), "[Clock]");
    EXPECT_EQ(formatServiceReference(" Clock ", " tick", 0.5f, 2.5f), "[Clock]:[tick]@(.5,2.5)");
}

TEST(Texts, ParsingServiceReferences) {
    struct Case {
        const char* text;
        const char* module;
        const char* service;
        float minimum;
        float maximum;
    };
    const Case cases[] = {
        {"[Clock]:[tick]@(.5,INF)", "Clock", "tick", 0.5f, -1},
        {"[Clock]", "Clock", "", 0, 0},
        {"[Clock]:[tick]", "Clock", "tick", 0, -1},
        {"[Clock]:[tick]@(INF,INF)", "Clock", "tick", -1, -1},
        {"[Clock]:[tick]@(2,3.5)", "Clock", "tick", 2, 3.5f},
        {"[Clock]:[tick]@(x,y)", "Clock", "tick", 0, 0},
        {"[A]:[b]@(1e20,3e-09)", "A", "b", 1e20f, 3e-9f},
        {"no brackets", "", "", 0, 0},
        {"[open", "open", "", 0, 0},
    };
    for (const Case& c : cases) {
        ServiceReference r = parseServiceReference(QString::fromLatin1(c.text));
        EXPECT_EQ(r.module, QString::fromLatin1(c.module)) << c.text;
        EXPECT_EQ(r.service, QString::fromLatin1(c.service)) << c.text;
        EXPECT_FLOAT_EQ(r.minimum, c.minimum) << c.text;
        EXPECT_FLOAT_EQ(r.maximum, c.maximum) << c.text;
    }
}

TEST(Texts, ReferencesReadBackWhatWasWritten) {
    const float pairs[][2] = {{0, -1}, {0.5f, 2}, {-1, -1}, {1e-7f, 1e7f}, {3.25f, 1234.5f}};
    for (const auto& p : pairs) {
        ServiceReference r =
            parseServiceReference(formatServiceReference("Mod", "srv", p[0], p[1]));
        EXPECT_EQ(r.module, "Mod");
        EXPECT_EQ(r.service, "srv");
        EXPECT_FLOAT_EQ(r.minimum, p[0]);
        EXPECT_FLOAT_EQ(r.maximum, p[1]);
    }
}

TEST(Texts, EngineBuffersAreCutAtTheirZeroByte) {
    EngineBuffer b(8);
    EXPECT_EQ(b.text(), "        ") << "a fresh buffer holds blanks";
    EXPECT_EQ(b.trimmed(), "");
    std::memcpy(b.data(), "ab\0cd", 5);
    EXPECT_EQ(b.text(), "ab");
    EXPECT_EQ(fromEngine("\xe9t\xe9", 3), QString::fromUtf8("\xc3\xa9t\xc3\xa9"));
    EXPECT_EQ(toEngine(QString::fromUtf8("\xc3\xa9")), QByteArray("\xe9"));
}

}  // namespace
}  // namespace orven::designer
