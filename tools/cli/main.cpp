// velk-tsuitate-cli: runs the game's own rule code on positions given as text.
#include <cstring>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/connect.h"
#include "cli/kif_commands.h"
#include "cli/match.h"

namespace {

void printUsage(std::ostream& out) {
    out << "usage: velk-tsuitate-cli <subcommand> < requests\n"
           "\n"
           "Reads one request per line from standard input and answers each in order.\n"
           "Positions are SFEN with the human (bottom) in upper case, the computer in lower\n"
           "case, e.g. lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1\n"
           "\n"
           "subcommands:\n"
           "  legal    every move the move check allows, for both sides\n"
           "  survey   the influence maps of one survey\n"
           "  mate     escape count and the three mate tests\n"
           "  miss     the referee's miss classification of a proposed move\n"
           "  com      the computer's choice at level 3; with --trace, every candidate\n"
           "           in scan order and the terms of its score first\n"
           "  play [--lang ja|en]  a scripted game through the match controller (see README);\n"
           "           --lang en prints the boxes in English\n"
           "  match --games N --seed S --level 1|2|3|honest|honest-v1 [--times]\n"
           "        [--guesses] [--jobs J] [--think MS] [--trace GAME]\n"
           "           N games of the honest player on the human's side against the\n"
           "           computer at that level, J at once (default: one per core;\n"
           "           the output does not depend on J), each honest choice given\n"
           "           MS milliseconds' worth of search (default 50); --trace GAME\n"
           "           prints that game move by move after its line (see README)\n"
           "  kif [--sjis]  a .棋譜 record on standard input as KIF (UTF-8, or CP932)\n"
           "  kif-import    a KIF game on standard input as a .棋譜 record\n"
           "  connect URL (--create sente|gote|random | --join CODE) [--level honest|random]\n"
           "           [--abandon SECONDS] [--seed N] [--think MS]\n"
           "           plays one seat of a game on a server; with --create the first line\n"
           "           is \"code CODE\", then the game line and the record (see README)\n";
}

struct Subcommand {
    const char* name;
    int (*run)(std::istream&, std::ostream&);
};

constexpr Subcommand SUBCOMMANDS[] = {
    {"legal", velk::cli::runLegal}, {"survey", velk::cli::runSurvey}, {"mate", velk::cli::runMate},
    {"miss", velk::cli::runMiss},   {"com", velk::cli::runCom},       {"play", velk::cli::runPlay},
};

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    // The record conversions read and write bytes and take an option.
    if (argc >= 2 && std::strcmp(argv[1], "kif") == 0 &&
        (argc == 2 || (argc == 3 && std::strcmp(argv[2], "--sjis") == 0))) {
        return velk::cli::runKif(std::cin, std::cout, std::cerr, argc == 3);
    }
    if (argc == 4 && std::strcmp(argv[1], "play") == 0 && std::strcmp(argv[2], "--lang") == 0 &&
        (std::strcmp(argv[3], "en") == 0 || std::strcmp(argv[3], "ja") == 0)) {
        try {
            return velk::cli::runPlayIn(std::cin, std::cout, std::strcmp(argv[3], "en") == 0);
        } catch (const std::exception& e) {
            std::cout.flush();
            std::cerr << "velk-tsuitate-cli: " << e.what() << '\n';
            return 1;
        }
    }
    if (argc >= 2 && std::strcmp(argv[1], "match") == 0) {
        const std::vector<std::string> args(argv + 2, argv + argc);
        velk::cli::MatchOptions options;
        std::string error;
        if (!velk::cli::parseMatchOptions(args, options, error)) {
            std::cerr << "velk-tsuitate-cli: match: " << error << '\n';
            return 2;
        }
        try {
            return velk::cli::runMatch(options, std::cout, std::cerr);
        } catch (const std::exception& e) {
            std::cout.flush();
            std::cerr << "velk-tsuitate-cli: match: " << e.what() << '\n';
            return 1;
        }
    }
    if (argc >= 2 && std::strcmp(argv[1], "connect") == 0)
        return velk::cli::runConnect(std::vector<std::string>(argv + 2, argv + argc), std::cerr);
    if (argc == 2 && std::strcmp(argv[1], "kif-import") == 0)
        return velk::cli::runKifImport(std::cin, std::cout, std::cerr);
    const bool comTrace =
        argc == 3 && std::strcmp(argv[1], "com") == 0 && std::strcmp(argv[2], "--trace") == 0;
    if (argc != 2 && !comTrace) {
        printUsage(argc == 1 ? std::cout : std::cerr);
        return argc == 1 ? 0 : 2;
    }
    for (const auto& sub : SUBCOMMANDS)
        if (std::strcmp(argv[1], sub.name) == 0) {
            const auto run = comTrace ? velk::cli::runComTrace : sub.run;
            // Whatever a subcommand could not handle ends it with a message, not an abort.
            try {
                return run(std::cin, std::cout);
            } catch (const std::exception& e) {
                std::cout.flush();
                std::cerr << "velk-tsuitate-cli: " << e.what() << '\n';
                return 1;
            }
        }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        printUsage(std::cout);
        return 0;
    }
    std::cerr << "velk-tsuitate-cli: unknown subcommand '" << argv[1] << "'\n\n";
    printUsage(std::cerr);
    return 2;
}
