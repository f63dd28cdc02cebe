#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "sound/wav.h"
#include "soundgen/synth.h"

namespace velk {
namespace {

using soundgen::Samples;

int largestStep(const Samples& s) {
    int most = 0;
    for (std::size_t i = 1; i < s.size(); ++i) most = std::max(most, std::abs(s[i] - s[i - 1]));
    return most;
}

TEST(SoundFiles, AreShortMonoPcmThatTheLibraryAccepts) {
    const struct {
        Samples samples;
        double maxSeconds;
    } sounds[] = {{soundgen::makeChime(), 1.5},
                  {soundgen::makeBuzz(), 1.0},
                  {soundgen::makeKnock(), 0.5},
                  {soundgen::makeTune(), 20.0}};
    for (const auto& s : sounds) {
        const std::string file = soundgen::wavFile(s.samples);
        WavInfo info;
        ASSERT_TRUE(
            parseWavImage(reinterpret_cast<const unsigned char*>(file.data()), file.size(), info));
        EXPECT_EQ(info.channels, 1);
        EXPECT_EQ(info.bitsPerSample, 16);
        EXPECT_EQ(info.sampleRate, soundgen::SAMPLE_RATE);
        EXPECT_EQ(info.dataBytes, s.samples.size() * 2);
        EXPECT_LE(s.samples.size(), s.maxSeconds * soundgen::SAMPLE_RATE);
        // Every sound starts from silence, so starting it does not click.
        EXPECT_EQ(s.samples.front(), 0);
        // Loud enough to hear, not clipped.
        const auto [lo, hi] = std::minmax_element(s.samples.begin(), s.samples.end());
        EXPECT_GT(std::max(-*lo, static_cast<int>(*hi)), 10000);
        EXPECT_LT(std::max(-*lo, static_cast<int>(*hi)), 32000);
    }
}

TEST(SoundFiles, TheTuneLoopsWithoutAClick) {
    const Samples tune = soundgen::makeTune();
    EXPECT_EQ(tune.size(), static_cast<std::size_t>(soundgen::BGM_SECONDS * soundgen::SAMPLE_RATE));
    // The step from the last sample back to the first is no larger than the steps around it,
    // and it goes the same way: the wave passes through zero with the same slope.
    const int seam = tune.front() - tune.back();
    const int before = tune[tune.size() - 1] - tune[tune.size() - 2];
    const int after = tune[1] - tune[0];
    EXPECT_EQ(tune.front(), 0);
    EXPECT_LE(std::abs(seam), 2 * std::abs(after) + 2);
    EXPECT_GE(seam * after, 0);
    EXPECT_GE(before * after, 0);
    EXPECT_LT(std::abs(seam), largestStep(tune) / 10);
}

}  // namespace
}  // namespace velk
