// Writes the KIF of seeded random games into a folder, both encodings, with the moves each must
// read to: NAME.kifu / NAME.kif and NAME.expect, one line per move "FROM TO PIECE PROMOTE"
// in KIF squares (FROM 00 for a drop).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "record/kif.h"
#include "support/random_record.h"

namespace {

using namespace velk;

int kifFile(int x, int y, bool manFirst) {
    return manFirst ? (10 - x) * 10 + y : x * 10 + (10 - y);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kif_samples FOLDER COUNT\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const int games = std::stoi(argv[2]);
    int kings = 0;
    for (int seed = 1; seed <= games; ++seed) {
        const bool manFirst = seed % 2 == 0;
        const testkit::RandomRecord game =
            testkit::randomRecord(static_cast<unsigned>(seed) * 7919u, 300, manFirst);
        kings += game.kingTaken ? 1 : 0;
        const KifEncodeResult kif =
            encodeKif({"乱数対局 " + std::to_string(seed), "ｺﾝﾋﾟｭｰﾀ", "あなた"}, game.record,
                      game.count, {"2026/12/07 10:00:00", kifEndingOf(game.record, game.count)});
        if (!kif.ok) {
            std::fprintf(stderr, "game %d: %s\n", seed, kif.error.c_str());
            return 1;
        }
        const std::string name = "random" + std::to_string(seed);
        std::ofstream(folder / (name + ".kifu"), std::ios::binary)
            << *kifFileBytes(kif.text, KifEncoding::Utf8);
        std::ofstream(folder / (name + ".kif"), std::ios::binary)
            << *kifFileBytes(kif.text, KifEncoding::Cp932);
        std::ofstream expect(folder / (name + ".expect"));
        const MoveRecord& r = game.record;
        for (int n = 1; n <= game.count; ++n) {
            const bool drop = r.recFromX[n] == MAN_HAND_X || r.recFromX[n] == COM_HAND_X;
            expect << (drop ? 0 : kifFile(r.recFromX[n], r.recFromY[n], manFirst)) << ' '
                   << kifFile(r.recToX[n], r.recToY[n], manFirst) << ' '
                   << (r.recPieceAfter[n] != r.recPieceBefore[n] ? 1 : 0) << '\n';
        }
    }
    std::printf("%d games, %d ending with a king taken\n", games, kings);
    return kings > 0 ? 0 : 1;
}
