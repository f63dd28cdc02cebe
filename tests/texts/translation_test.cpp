// The English translations: every text marked for translation in the catalogue has a finished
// English in translations/velk_en.ts, and texts composed from parts come out in English whole.
#include "texts/translation.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "texts/texts.h"

namespace velk::texts {
namespace {

std::string readFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Every QT_TRANSLATE_NOOP("context", "text" ...) of the catalogue's source, as (context, text).
std::vector<std::pair<std::string, std::string>> markedTexts(const std::string& header) {
    std::vector<std::pair<std::string, std::string>> out;
    const std::string mark = "QT_TRANSLATE_NOOP(";
    std::size_t at = 0;
    while ((at = header.find(mark, at)) != std::string::npos) {
        at += mark.size();
        std::vector<std::string> literals;
        // Reads string literals (adjacent ones join) up to the closing parenthesis.
        std::string current;
        bool any = false;
        while (at < header.size() && header[at] != ')') {
            const char c = header[at];
            if (c == ',') {
                literals.push_back(current);
                current.clear();
                any = false;
                ++at;
                continue;
            }
            if (c != '"') {
                ++at;
                continue;
            }
            any = true;
            for (++at; at < header.size() && header[at] != '"'; ++at) {
                if (header[at] != '\\') {
                    current.push_back(header[at]);
                    continue;
                }
                const char e = header[++at];
                current.push_back(e == 'r' ? '\r' : e == 'n' ? '\n' : e == 't' ? '\t' : e);
            }
            ++at;
        }
        if (any) literals.push_back(current);
        if (literals.size() == 2) out.emplace_back(literals[0], literals[1]);
    }
    return out;
}

struct English {
    std::vector<TsMessage> messages = readTs(readFile(VELK_TS_FILE));
    std::map<std::pair<std::string, std::string>, std::string> table;
    English() {
        for (const auto& m : messages)
            if (m.finished) table[{m.context, m.source}] = m.translation;
    }
    std::string operator()(std::string_view text) const {
        const Lookup lookup = [this](std::string_view c,
                                     std::string_view s) -> std::optional<std::string> {
            const auto it = table.find({std::string(c), std::string(s)});
            if (it == table.end()) return std::nullopt;
            return it->second;
        };
        return translateComposed(text, boxContexts(), patternsOf(messages), lookup);
    }
};

std::set<std::string> placeholders(const std::string& s) {
    std::set<std::string> out;
    for (std::size_t i = 0; i + 1 < s.size(); ++i)
        if (s[i] == '%' && s[i + 1] >= '1' && s[i + 1] <= '9') out.insert(s.substr(i, 2));
    return out;
}

TEST(Translation, EveryMarkedTextHasAFinishedEnglishTranslation) {
    const auto marked = markedTexts(readFile(VELK_TEXTS_HEADER));
    ASSERT_GT(marked.size(), 100u);
    const English english;
    for (const auto& [context, source] : marked) {
        if (source.empty()) continue;  // an empty title reads the same in any language
        const auto it = english.table.find({context, source});
        ASSERT_NE(it, english.table.end())
            << "no finished English for [" << context << "] " << source
            << " (run lupdate on src/texts/texts.h and translate translations/velk_en.ts)";
        EXPECT_FALSE(it->second.empty()) << source;
        // A composed text keeps every part, in whatever order the English needs.
        EXPECT_EQ(placeholders(it->second), placeholders(source)) << source;
    }
    // Nothing in the file is left unfinished or obsolete.
    for (const auto& m : english.messages)
        EXPECT_TRUE(m.finished && !m.translation.empty()) << "[" << m.context << "] " << m.source;
    // The tool's built-in copy is the file in the repository.
    EXPECT_EQ(std::string(englishTs()), readFile(VELK_TS_FILE));
}

TEST(Translation, ComposedTextsAreTranslatedPartByPart) {
    const English en;
    EXPECT_EQ(en(match::missReport(match::MISS_HEADER_MAN, match::MISS_JUMPED)),
              "  ** MAN missed! **\r\rThe move jumped over a hidden piece");
    EXPECT_EQ(en(match::missReport(match::MISS_HEADER_COM, match::MISS_COM_KING_EXPOSED)),
              "  ** COM missed! **\r\rCOM left its own king in check");
    EXPECT_EQ(en(match::winnerIs(match::WINNER_YOU)), "You won");
    EXPECT_EQ(en(match::unsavedMovesQuestion(match::QUIT_QUESTION)),
              "Some moves have not been saved.\r\rQuit the game?");
    // Parts within parts, and parts that are not the catalogue's stay as they are.
    EXPECT_EQ(en(record::notRead(record_file::lineFaulty(3, record_file::NOT_SHIFT_JIS))),
              "The record file could not be loaded\nLine 3 of the record file is not valid (it is "
              "not in Shift-JIS)");
    EXPECT_EQ(en(record::overwriteQuestion("対局%2.棋譜")),
              "\"対局%2.棋譜\" already exists.\nReplace it?");
    EXPECT_EQ(en(file::withSystemText(file::NOT_FOUND, "No such file or directory")),
              "The file or folder cannot be found (No such file or directory)");
    EXPECT_EQ(en(record_file::headerTooLong(record_file::HEADER_NAMES[0])),
              "The title is too long (up to 256 half-width or 128 full-width characters)");
    // The KIF reader's reasons, a piece name of the file staying as it is.
    EXPECT_EQ(en(kif::lineFaulty(7, kif::notInHand(kif::SIDE_MAN, "角"))),
              "Line 7 of the KIF file is not valid (MAN has no 角 in hand)");
    EXPECT_EQ(
        en(kif::notRead(kif::lineFaulty(2, kif::tooManyMoves(500)))),
        "The KIF file could not be loaded\nLine 2 of the KIF file is not valid (the record has "
        "more than 500 moves)");
    // A text the translations do not know is shown as it is.
    EXPECT_EQ(en("abc"), "abc");
}

// A text two patterns fit is composed by the one with more literal text, and between patterns
// with as much, by the one given first, whatever order the table was built from.
TEST(Translation, PatternsAreTriedLongestLiteralFirstThenInTheGivenOrder) {
    const std::map<std::string, std::string> english = {
        {"%1と%2", "(%1 and %2)"}, {"%1と%2です", "%1 and %2, it is"}, {"%1は%2", "[%1 is %2]"}};
    const Lookup lookup = [&](std::string_view, std::string_view s) -> std::optional<std::string> {
        const auto it = english.find(std::string(s));
        if (it == english.end()) return std::nullopt;
        return it->second;
    };
    using List = std::vector<std::pair<std::string, std::string>>;
    const struct {
        List patterns;
        std::string text, expected;
    } table[] = {
        {{{"c", "%1と%2"}, {"c", "%1と%2です"}}, "甲と乙です", "甲 and 乙, it is"},
        {{{"c", "%1と%2です"}, {"c", "%1と%2"}}, "甲と乙です", "甲 and 乙, it is"},
        {{{"c", "%1と%2"}, {"c", "%1は%2"}}, "甲と乙は丙", "(甲 and [乙 is 丙])"},
        {{{"c", "%1は%2"}, {"c", "%1と%2"}}, "甲と乙は丙", "[(甲 and 乙) is 丙]"},
        // Another context's pattern is not used.
        {{{"other", "%1と%2"}}, "甲と乙", "甲と乙"},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.text);
        const PatternTable patterns(row.patterns);
        EXPECT_EQ(translateComposed(row.text, {"c"}, patterns, lookup), row.expected);
        // The table gives the same answer however often it is used.
        EXPECT_EQ(translateComposed(row.text, {"c"}, patterns, lookup), row.expected);
    }
}

TEST(Translation, TheJapaneseTextsStayAsTheyWere) {
    EXPECT_EQ(match::winnerIs("あなた"), "あなたの勝ちです");
    EXPECT_EQ(match::unsavedMovesQuestion("終わりますか？"),
              "保存していない手があります\r\r終わりますか？");
    EXPECT_EQ(record::nameTooLong(10, 5),
              "ﾌｧｲﾙ名が長すぎます\n（英数字なら10文字、かなや漢字なら5文字までです）");
    EXPECT_EQ(record_file::moveLineLength(26, 3), "指し手の行は26文字のところ、3文字あります");
    // An argument's own % signs are not taken for places.
    EXPECT_EQ(record::overwriteQuestion("a%1b%2"), "「a%1b%2」は既にあります。\n上書きしますか？");
    EXPECT_EQ(file::withSystemText("x", "y"), "x（y）");
    // The KIF reader's composed reasons.
    EXPECT_EQ(kif::notRead("x"), "KIFﾌｧｲﾙを読み込めませんでした\nx");
    EXPECT_EQ(kif::lineFaulty(12, kif::moveNumberNot(3)),
              "KIFﾌｧｲﾙの12行目が正しくありません（手数が3ではありません）");
    EXPECT_EQ(kif::tooManyMoves(500), "手数が500手を超えています");
    EXPECT_EQ(kif::notInHand(kif::SIDE_COM, "飛"), "COMの持駒に飛がありません");
    EXPECT_EQ(kif::noPieceOfSide(kif::SIDE_MAN), "移動元にMANの駒がありません");
    EXPECT_EQ(kif::sourceIsNot("成銀"), "移動元の駒が成銀ではありません");
}

}  // namespace
}  // namespace velk::texts
