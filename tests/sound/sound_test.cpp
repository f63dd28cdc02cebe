#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "sound/sound_library.h"
#include "sound/wav.h"

namespace velk {
namespace {

void put32(std::vector<unsigned char>& v, std::uint32_t x) {
    for (int i = 0; i < 4; ++i) v.push_back(static_cast<unsigned char>(x >> (8 * i)));
}
void put16(std::vector<unsigned char>& v, int x) {
    v.push_back(static_cast<unsigned char>(x & 0xFF));
    v.push_back(static_cast<unsigned char>((x >> 8) & 0xFF));
}
void putTag(std::vector<unsigned char>& v, const char* tag) {
    v.insert(v.end(), tag, tag + 4);
}

// A mono 16-bit image of the given number of samples, with an extra chunk before the data.
std::vector<unsigned char> wavImage(int samples, int rate = 22050) {
    std::vector<unsigned char> v;
    v.reserve(64 + 2 * static_cast<std::size_t>(samples));
    putTag(v, "RIFF");
    put32(v, 0);
    putTag(v, "WAVE");
    putTag(v, "fmt ");
    put32(v, 16);
    put16(v, 1);
    put16(v, 1);
    put32(v, static_cast<std::uint32_t>(rate));
    put32(v, static_cast<std::uint32_t>(rate * 2));
    put16(v, 2);
    put16(v, 16);
    putTag(v, "LIST");  // an odd-sized chunk with its pad byte
    put32(v, 3);
    v.insert(v.end(), {'a', 'b', 'c', 0});
    putTag(v, "data");
    put32(v, static_cast<std::uint32_t>(samples * 2));
    for (int i = 0; i < samples; ++i) put16(v, (i % 50) * 400 - 10000);
    const auto riff = static_cast<std::uint32_t>(v.size() - 8);
    for (int i = 0; i < 4; ++i) v[4 + i] = static_cast<unsigned char>(riff >> (8 * i));
    return v;
}

class Sound : public ::testing::Test {
  protected:
    void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }
    void TearDown() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }
};

TEST(WavImage, AcceptsWholeImagesAndRefusesEveryTruncation) {
    const std::vector<unsigned char> image = wavImage(1000);
    WavInfo info;
    ASSERT_TRUE(parseWavImage(image.data(), image.size(), info));
    EXPECT_EQ(info.channels, 1);
    EXPECT_EQ(info.sampleRate, 22050);
    EXPECT_EQ(info.bitsPerSample, 16);
    EXPECT_EQ(info.dataBytes, 2000u);
    EXPECT_EQ(info.dataOffset, image.size() - 2000);

    // Every cut shorter than the whole image is refused; each is copied to a buffer of exactly
    // its length so that the address sanitizer sees any read past it.
    for (std::size_t len = 0; len < image.size(); ++len) {
        std::vector<unsigned char> cut(image.begin(), image.begin() + static_cast<long>(len));
        EXPECT_FALSE(parseWavImage(cut.data(), cut.size(), info)) << len;
    }
    EXPECT_FALSE(parseWavImage(nullptr, 100, info));

    std::vector<unsigned char> bad = image;
    bad[20] = 2;  // ADPCM
    EXPECT_FALSE(parseWavImage(bad.data(), bad.size(), info));
    bad = image;
    bad[22] = 0;  // no channels
    EXPECT_FALSE(parseWavImage(bad.data(), bad.size(), info));
    bad = image;
    bad[8] = 'X';  // not WAVE
    EXPECT_FALSE(parseWavImage(bad.data(), bad.size(), info));
}

TEST_F(Sound, PlaysStopsAndFreesOnTheDummyDriver) {
    SoundLibrary lib;
    const int device = lib.dsInitialize(0);
    ASSERT_NE(device, 0);
    const std::vector<unsigned char> image = wavImage(22050);
    const int a = lib.dsCreateDSB(device, image.data(), image.size(), 3);
    const int b = lib.dsCreateDSB(device, image.data(), image.size(), 1);
    ASSERT_NE(a, 0);
    ASSERT_NE(b, 0);
    EXPECT_NE(a, b);

    lib.dsPlay(a);
    EXPECT_TRUE(lib.isPlaying(a));
    lib.dsPlay(a);  // restarts rather than piling up
    lib.dsPlayLooping(b);
    EXPECT_TRUE(lib.isPlaying(b));
    lib.dsStop(b);
    EXPECT_FALSE(lib.isPlaying(b));
    EXPECT_TRUE(lib.isPlaying(a));

    // Handle 0 and unknown handles do nothing.
    lib.dsPlay(0);
    lib.dsPlayLooping(0);
    lib.dsStop(0);
    lib.dsFree(0);
    lib.dsPlay(12345);

    lib.dsFree(a);
    EXPECT_FALSE(lib.isPlaying(a));
    lib.dsPlay(a);  // freed: nothing
    EXPECT_FALSE(lib.isPlaying(a));
    lib.dsTerminate(device);
    lib.dsPlay(b);
    EXPECT_FALSE(lib.isPlaying(b));
}

TEST_F(Sound, MalformedImagesAndWrongDevicesGiveHandleZero) {
    SoundLibrary lib;
    const int device = lib.dsInitialize(0);
    ASSERT_NE(device, 0);
    const std::vector<unsigned char> image = wavImage(500);
    EXPECT_EQ(lib.dsCreateDSB(0, image.data(), image.size(), 3), 0);
    EXPECT_EQ(lib.dsCreateDSB(device + 1, image.data(), image.size(), 3), 0);
    EXPECT_EQ(lib.dsCreateDSB(device, nullptr, 0, 3), 0);
    EXPECT_EQ(lib.dsCreateDSB(device, image.data(), image.size() - 1, 3), 0);
    const std::string junk = "RIFF\x10\0\0\0WAVEjunk and more junk";
    EXPECT_EQ(lib.dsCreateDSB(device, reinterpret_cast<const unsigned char*>(junk.data()),
                              junk.size(), 3),
              0);
    EXPECT_NE(lib.dsCreateDSB(device, image.data(), image.size(), 3), 0);
}

TEST_F(Sound, ASecondInitialisationReleasesTheFirst) {
    SoundLibrary lib;
    const int first = lib.dsInitialize(0);
    ASSERT_NE(first, 0);
    const std::vector<unsigned char> image = wavImage(22050);
    const int old = lib.dsCreateDSB(first, image.data(), image.size(), 3);
    lib.dsPlayLooping(old);
    const int second = lib.dsInitialize(0);
    ASSERT_NE(second, 0);
    EXPECT_NE(second, first);
    EXPECT_FALSE(lib.isPlaying(old));
    lib.dsPlay(old);  // a handle of the released device is dead
    EXPECT_FALSE(lib.isPlaying(old));
    lib.dsTerminate(first);  // stale device handle: the open one stays
    EXPECT_EQ(lib.device(), second);
    const int fresh = lib.dsCreateDSB(second, image.data(), image.size(), 3);
    EXPECT_NE(fresh, 0);
    EXPECT_NE(fresh, old);
}

TEST_F(Sound, NoDeviceIsReportedAsZeroAndEverythingStaysQuiet) {
    setenv("SDL_AUDIODRIVER", "no_such_driver", 1);
    SoundLibrary lib;
    EXPECT_EQ(lib.dsInitialize(0), 0);
    const std::vector<unsigned char> image = wavImage(100);
    EXPECT_EQ(lib.dsCreateDSB(0, image.data(), image.size(), 3), 0);
    lib.dsPlay(0);
    lib.dsTerminate(0);
    // The device can be opened later once a driver is there.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    EXPECT_NE(lib.dsInitialize(0), 0);
}

}  // namespace
}  // namespace velk
