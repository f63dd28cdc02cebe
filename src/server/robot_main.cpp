// velk-tsuitate-robot: plays network games of screen shogi with the honest player.
#include <QCoreApplication>
#include <QRandomGenerator>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "server/robot.h"

namespace {

void usage(FILE* out) {
    std::fputs(
        "usage: velk-tsuitate-robot URL[,URL...] (--create SIDE | --join CODE | --games N)\n"
        "                           [--abandon SECONDS] [--seed N] [--player honest|random]\n"
        "                           [--think MS] [--latency]\n"
        "  --create SIDE   create a game as sente, gote or random; prints \"code CODE\" first\n"
        "  --join CODE     take the second seat of the game with this code\n"
        "  --games N       play N games at once, each robot against a second robot\n"
        "  --player P      honest (the default) or random: a random move its side allows\n"
        "  --think MS      wait MS milliseconds on average (half to one and a half) before each\n"
        "                  move\n"
        "  --latency       with --games: print the times from a move to the other seat's notice\n"
        "With several servers (processes sharing one store), a dropped connection is taken up\n"
        "again on the next.\n"
        "Prints a game line and the record of each game seat it played; exits 0 when every\n"
        "game ended normally.\n",
        out);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    using velk::net::RobotSeat;
    RobotSeat::Options options;
    int games = 0;
    bool haveMode = false;
    std::uint64_t seed = QRandomGenerator::system()->generate();
    const QStringList args = app.arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--help")) {
            usage(stdout);
            return 0;
        }
        if (a == QLatin1String("--latency")) {
            options.latencies = std::make_shared<velk::net::Latencies>();
            continue;
        }
        if (!a.startsWith(QLatin1String("--"))) {
            for (const QString& url : a.split(QLatin1Char(','), Qt::SkipEmptyParts))
                options.urls.emplace_back(url);
            continue;
        }
        if (i + 1 >= args.size()) {
            usage(stderr);
            return 2;
        }
        const QString& v = args[++i];
        bool ok = true;
        if (a == QLatin1String("--create")) {
            options.mode = RobotSeat::Mode::Create;
            options.sideOrCode = v;
            haveMode = true;
        } else if (a == QLatin1String("--join")) {
            options.mode = RobotSeat::Mode::Join;
            options.sideOrCode = v;
            haveMode = true;
        } else if (a == QLatin1String("--games")) {
            games = v.toInt(&ok);
            ok = ok && games >= 1 && games <= 100000;
            haveMode = true;
        } else if (a == QLatin1String("--abandon")) {
            options.abandonSeconds = v.toInt(&ok);
        } else if (a == QLatin1String("--player")) {
            ok = v == QLatin1String("honest") || v == QLatin1String("random");
            options.random = v == QLatin1String("random");
        } else if (a == QLatin1String("--think")) {
            options.thinkMs = v.toInt(&ok);
            ok = ok && options.thinkMs >= 0;
        } else if (a == QLatin1String("--seed")) {
            seed = v.toULongLong(&ok);
        } else {
            ok = false;
        }
        if (!ok) {
            std::fprintf(stderr, "velk-tsuitate-robot: bad argument: %s %s\n", qPrintable(a),
                         qPrintable(v));
            return 2;
        }
    }
    const bool urlsValid =
        !options.urls.empty() && std::all_of(options.urls.begin(), options.urls.end(),
                                             [](const QUrl& u) { return u.isValid(); });
    if (!urlsValid || !haveMode) {
        usage(stderr);
        return 2;
    }

    std::vector<std::unique_ptr<RobotSeat>> seats;
    int running = 0;
    int failed = 0;
    const auto done = [&](RobotSeat& seat) {
        if (seat.ok()) {
            std::printf("%s\n%s\n", qPrintable(seat.gameLine()), qPrintable(seat.recordLine()));
        } else {
            ++failed;
            std::fprintf(stderr, "velk-tsuitate-robot: %s\n", qPrintable(seat.failure()));
        }
        std::fflush(stdout);
        if (--running > 0) return;
        if (options.latencies && !options.latencies->ms.empty()) {
            std::vector<double>& ms = options.latencies->ms;
            std::sort(ms.begin(), ms.end());
            const auto at = [&ms](double q) {
                return ms[std::min(ms.size() - 1,
                                   static_cast<std::size_t>(q * static_cast<double>(ms.size())))];
            };
            std::printf("latency moves %zu p50 %.2f ms p99 %.2f ms max %.2f ms\n", ms.size(),
                        at(0.5), at(0.99), ms.back());
        }
        QCoreApplication::exit(failed == 0 ? 0 : 1);
    };
    const auto printCode = [](const QString& code) {
        std::printf("code %s\n", qPrintable(code));
        std::fflush(stdout);
    };
    if (games == 0) {
        options.seed = seed;
        seats.push_back(std::make_unique<RobotSeat>(options, printCode, done));
        running = 1;
    } else {
        // Each game: a seat that creates it, and a second robot that joins with its code.
        running = 2 * games;
        // A game whose creator fails before it has a code never gets its second seat.
        auto joined = std::make_shared<std::vector<bool>>(static_cast<std::size_t>(games), false);
        for (int g = 0; g < games; ++g) {
            RobotSeat::Options create = options;
            create.mode = RobotSeat::Mode::Create;
            create.sideOrCode = QStringLiteral("random");
            create.seed = seed + 2 * static_cast<std::uint64_t>(g);
            const auto joinWith = [&seats, options, seed, g, done, joined](const QString& code) {
                (*joined)[static_cast<std::size_t>(g)] = true;
                RobotSeat::Options join = options;
                join.mode = RobotSeat::Mode::Join;
                join.sideOrCode = code;
                join.seed = seed + 2 * static_cast<std::uint64_t>(g) + 1;
                seats.push_back(std::make_unique<RobotSeat>(
                    join, [](const QString&) {}, done));
                seats.back()->start();
            };
            const auto createDone = [&running, &failed, g, done, joined](RobotSeat& seat) {
                if (!(*joined)[static_cast<std::size_t>(g)]) {
                    --running;
                    ++failed;
                }
                done(seat);
            };
            seats.push_back(std::make_unique<RobotSeat>(create, joinWith, createDone));
        }
    }
    // The seats start once the list is complete (a join adds to it later).
    const std::size_t first = seats.size();
    for (std::size_t i = 0; i < first; ++i) seats[i]->start();
    return app.exec();
}
