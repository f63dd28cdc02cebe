// The analysis subcommands. Each reads requests from in and answers on out; returns the exit
// status (0, or 1 when a request failed).
#pragma once

#include <iosfwd>

namespace velk::cli {

int runLegal(std::istream& in, std::ostream& out);
int runSurvey(std::istream& in, std::ostream& out);
int runMate(std::istream& in, std::ostream& out);
int runMiss(std::istream& in, std::ostream& out);
int runCom(std::istream& in, std::ostream& out);
// runCom with every candidate and the terms of its score printed before the answer.
int runComTrace(std::istream& in, std::ostream& out);
int runPlay(std::istream& in, std::ostream& out);
// runPlay with the boxes in English (play --lang en) or Japanese.
int runPlayIn(std::istream& in, std::ostream& out, bool english);

}  // namespace velk::cli
