// The match command: whole games in which the honest player takes the human's side against the
// computer at a chosen level, refereed by the match as the window's games are.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace velk::cli {

struct MatchOptions {
    long games = 0;
    std::uint64_t seed = 0;
    int level = 0;              // 1..3, or 0 with honest
    bool honest = false;        // the computer plays at 公正: an honest player too
    bool firstVersion = false;  // with honest: the computer's side plays the honest player's
                                // first version
    bool times = false;         // print the human side's thinking times
    bool guesses = false;       // print how well the human side guesses the computer's pieces
    int jobs = 1;               // games played at once, on threads of their own
    int thinkMs = 50;           // the honest players' thinking budget per choice
    long trace = 0;             // a game's number: print that game move by move (0: none)
};

// Reads the arguments that follow "match". On a bad or missing one returns false with the
// reason in error.
bool parseMatchOptions(const std::vector<std::string>& args, MatchOptions& options,
                       std::string& error);

// Plays the games and prints one line per game, the totals, and how the games went (their
// lengths, how they ended, the material at the end, how many differ). Returns 0, or 1 when the
// human side's player made a move the game neither played nor refused as a miss (the reason
// goes to err).
int runMatch(const MatchOptions& options, std::ostream& out, std::ostream& err);

}  // namespace velk::cli
