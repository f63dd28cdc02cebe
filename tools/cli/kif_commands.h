// The record conversions of the command-line tool: each reads all of in, writes the converted
// record on out, and on a bad input writes the reader's message on err and returns 1.
#pragma once

#include <iosfwd>

namespace velk::cli {

// A .棋譜 record in, its KIF out (UTF-8, or CP932 when sjis).
int runKif(std::istream& in, std::ostream& out, std::ostream& err, bool sjis);
// A KIF game in, its .棋譜 record out (CP932 with CRLF).
int runKifImport(std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace velk::cli
