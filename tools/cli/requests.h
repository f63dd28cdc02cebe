// The request loop shared by the analysis subcommands.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace velk::cli {

// Answers one request given as its blank-separated fields; throws ParseError on bad input.
using RequestHandler = std::function<void(const std::vector<std::string>& fields, std::ostream&)>;

// Reads standard input line by line, skipping empty lines and '#' comments, and answers each
// request in order. A request that fails prints "error: <reason>". Returns 1 if any failed.
int runRequests(std::istream& in, std::ostream& out, const RequestHandler& handler);

// Reads an integer field; throws ParseError naming the field when it is not one.
int parseIntField(const std::string& text, const char* what);

}  // namespace velk::cli
