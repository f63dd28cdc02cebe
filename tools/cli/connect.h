// The connect command: one seat of a network game. The seat is played by the robot program,
// which speaks the server's protocol and sees only the frames its seat is sent; the command
// checks its options, translates them and runs the robot in its place.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace velk::cli {

// Reads the arguments that follow "connect" and returns the robot's arguments, or false with
// the reason in error.
bool connectArguments(const std::vector<std::string>& args, std::vector<std::string>& robotArgs,
                      std::string& error);

// The robot program: beside this program when installed, else where the build tree made it.
std::string robotProgram();

// Runs the robot with those arguments in place of this process; returns only when it cannot.
int runConnect(const std::vector<std::string>& args, std::ostream& err);

}  // namespace velk::cli
