#include <gtest/gtest.h>

#include <string>

#include "macroscript/TextFunctions.h"

using namespace orven::macroscript;

TEST(TextFunctions, ToUpperAscii) {
    EXPECT_EQ(ToUpperAscii("abc XYZ 09 _-"), "ABC XYZ 09 _-");
    EXPECT_EQ(ToUpperAscii("\xe9t\xe9"), "\xe9T\xe9");  // bytes of 128 and more stay
    EXPECT_EQ(ToUpperAscii(""), "");
    EXPECT_TRUE(IsTrueText("tRuE"));
    EXPECT_FALSE(IsTrueText(" true"));
    EXPECT_FALSE(IsTrueText("truex"));
    EXPECT_FALSE(IsTrueText(""));
}

TEST(TextFunctions, IndentLines) {
    struct Case {
        std::string text;
        int count;
        char ch;
        std::string expected;
    };
    const Case cases[] = {
        {"a\nb\n", 2, '\t', "\t\ta\n\t\tb\n"},  // no prefix after the final line feed
        {"a\nb", 1, ' ', " a\n b"},
        {"\n\nx", 1, '>', ">\n>\n>x"},
        {"\n", 3, ' ', "   \n"},
        {"", 2, ' ', ""},
        {"a\nb", 0, ' ', "a\nb"},
        {"a\nb", -3, ' ', "a\nb"},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        IndentLines(text, c.count, c.ch);
        EXPECT_EQ(text, c.expected);
    }
}

TEST(TextFunctions, ConvertToIdentifier) {
    struct Case {
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"  my module 2 ", "my_module_2"},
        {"3D view", "x_3D_view"},
        {"a-b.c", "a_b_c"},
        {"   ", ""},
        {"\t \t", ""},
        {"", ""},
        {"\tname\t", "name"},
        {"a\tb", "a_b"},
        {"caf\xe9", "caf_"},
        {"_x", "_x"},
        {"9", "x_9"},
        {" \n", "_"},  // a line feed is not a blank
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ConvertToIdentifier(c.text), c.expected) << c.text;
    }
}
