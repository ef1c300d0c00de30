#include "common/tokenizer.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

using namespace kalvex::common;

TEST(Tokenizer, PiecesAtBlanks) {
    struct Case {
        const char* text;
        std::vector<std::string> pieces;  // followed by empty pieces for ever
    } cases[] = {
        {"I10 E11.9", {"I10", "E11.9", ""}},
        {"I10  E11", {"I10", "", "E11", ""}},
        {" I10", {"", "I10", ""}},
        {"", {"", ""}},
        {"I10 ", {"I10", "", ""}},
        {"I10\tE11,J20", {"I10\tE11,J20", ""}},  // tabs and commas stay inside
        {"Ж10 Е11", {"Ж10", "Е11", ""}},
    };
    for (const Case& c : cases) {
        TTokenizer tokenizer(blankSeparator());
        tokenizer.Init(c.text);
        for (const std::string& piece : c.pieces)
            EXPECT_EQ(tokenizer.GetNextToken(), piece) << '"' << c.text << '"';
    }
}

TEST(Tokenizer, InitDiscardsTheRestAndOtherSetsApply) {
    TTokenizer tokenizer(blankSeparator());
    tokenizer.Init("A B C");
    EXPECT_EQ(tokenizer.GetNextToken(), "A");
    tokenizer.Init("X Y");
    EXPECT_EQ(tokenizer.GetNextToken(), "X");
    EXPECT_EQ(tokenizer.GetNextToken(TTokenizer::SeparatorSet(",;")), "Y");
    tokenizer.Init("a,b;c d");
    const TTokenizer::SeparatorSet commas(",;");
    EXPECT_EQ(tokenizer.GetNextToken(commas), "a");
    EXPECT_EQ(tokenizer.GetNextToken(commas), "b");
    EXPECT_EQ(tokenizer.GetNextToken(commas), "c d");
    EXPECT_THROW(TTokenizer::SeparatorSet("Ж"), std::invalid_argument);
}
