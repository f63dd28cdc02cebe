// Writes the game's four sound files into the folder given as the only argument.
#include <cstdio>
#include <fstream>
#include <string>

#include "synth.h"

int main(int argc, char** argv) {
    using namespace velk::soundgen;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const struct {
        const char* name;
        Samples samples;
    } files[] = {{"その他.wav", makeChime()},
                 {"禁止.wav", makeBuzz()},
                 {"駒打音.wav", makeKnock()},
                 {"BGM.wav", makeTune()}};
    for (const auto& f : files) {
        const std::string path = folder + "/" + f.name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        const std::string bytes = wavFile(f.samples);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
