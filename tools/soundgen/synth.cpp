#include "synth.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>

namespace velk::soundgen {

namespace {

constexpr double TWO_PI = 2.0 * std::numbers::pi;

double midiToHz(int note) {
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

std::size_t samplesFor(double seconds) {
    return static_cast<std::size_t>(std::lround(seconds * SAMPLE_RATE));
}

// Raised-cosine ramp from 0 to 1 over [0, width].
double ramp(double t, double width) {
    if (t <= 0) return 0;
    if (t >= width) return 1;
    return 0.5 - 0.5 * std::cos(std::numbers::pi * t / width);
}

// Scales to peak at the given fraction of full scale and rounds to 16 bits.
Samples toPcm(const std::vector<double>& x, double peak) {
    double max = 0;
    for (const double v : x) max = std::max(max, std::abs(v));
    const double gain = max > 0 ? peak * 32767.0 / max : 0;
    Samples out(x.size());
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double v = std::clamp(std::round(x[i] * gain), -32768.0, 32767.0);
        out[i] = static_cast<std::int16_t>(v);
    }
    return out;
}

// A struck, bell-like tone: a few partials with their own decays, a soft attack, and a
// release that brings it to exactly zero at length.
void addBell(std::vector<double>& x, double start, double freq, double amp, double decay,
             double length) {
    struct Partial {
        double ratio, gain, decayScale;
    };
    static constexpr Partial partials[] = {{1.0, 1.0, 1.0}, {2.76, 0.35, 0.45}, {5.40, 0.12, 0.25}};
    const std::size_t first = samplesFor(start);
    const std::size_t count = samplesFor(length);
    for (std::size_t i = 0; i < count && first + i < x.size(); ++i) {
        const double t = static_cast<double>(i) / SAMPLE_RATE;
        const double env = ramp(t, 0.004) * ramp(length - t, 0.05);
        double v = 0;
        for (const Partial& p : partials) {
            v += p.gain * std::exp(-t / (decay * p.decayScale)) *
                 std::sin(TWO_PI * freq * p.ratio * t);
        }
        x[first + i] += amp * env * v;
    }
}

// A soft plucked tone for the tune: sine with two gentle harmonics, ending at zero.
void addPluck(std::vector<double>& x, double start, double duration, double freq, double amp) {
    constexpr double release = 0.35;
    const std::size_t first = samplesFor(start);
    const std::size_t count = samplesFor(duration + release);
    for (std::size_t i = 0; i < count && first + i < x.size(); ++i) {
        const double t = static_cast<double>(i) / SAMPLE_RATE;
        const double env = ramp(t, 0.012) * std::exp(-t / 0.9) *
                           (t < duration ? 1.0 : ramp(duration + release - t, release));
        const double w = TWO_PI * freq * t;
        x[first + i] += amp * env *
                        (std::sin(w) + 0.22 * std::sin(2 * w) * std::exp(-t / 0.3) +
                         0.06 * std::sin(3 * w) * std::exp(-t / 0.15));
    }
}

// A chord pad held for one bar, fading in and out so that it is silent at both ends.
void addPad(std::vector<double>& x, double start, double length, const std::vector<int>& notes,
            double amp) {
    const std::size_t first = samplesFor(start);
    const std::size_t count = samplesFor(length);
    for (std::size_t i = 0; i < count && first + i < x.size(); ++i) {
        const double t = static_cast<double>(i) / SAMPLE_RATE;
        const double env = ramp(t, 0.6) * ramp(length - t, 0.6);
        double v = 0;
        for (const int n : notes) v += std::sin(TWO_PI * midiToHz(n) * t);
        x[first + i] += amp * env * v / static_cast<double>(notes.size());
    }
}

}  // namespace

Samples makeChime() {
    std::vector<double> x(samplesFor(0.9));
    addBell(x, 0.0, midiToHz(84), 0.8, 0.35, 0.85);   // C6
    addBell(x, 0.09, midiToHz(91), 0.7, 0.30, 0.80);  // G6
    return toPcm(x, 0.8);
}

Samples makeBuzz() {
    std::vector<double> x(samplesFor(0.42));
    const double pulses[2][2] = {{0.0, 0.16}, {0.21, 0.19}};
    for (const auto& pulse : pulses) {
        const std::size_t first = samplesFor(pulse[0]);
        const std::size_t count = samplesFor(pulse[1]);
        double phase = 0;
        for (std::size_t i = 0; i < count && first + i < x.size(); ++i) {
            const double t = static_cast<double>(i) / SAMPLE_RATE;
            // A falling pitch and an odd-harmonic (square-like) tone, band-limited below 2 kHz.
            const double freq = 125.0 - 20.0 * t / pulse[1];
            phase += TWO_PI * freq / SAMPLE_RATE;
            double v = 0;
            for (int h = 1; h * freq < 2000.0; h += 2) v += std::sin(h * phase) / h;
            x[first + i] += ramp(t, 0.006) * ramp(pulse[1] - t, 0.02) * v;
        }
    }
    return toPcm(x, 0.7);
}

Samples makeKnock() {
    std::vector<double> x(samplesFor(0.2));
    // Wood: a few quickly damped resonances over a very short click of noise and a low thump.
    struct Mode {
        double freq, gain, decay;
    };
    static constexpr Mode modes[] = {
        {160.0, 0.9, 0.030}, {520.0, 1.0, 0.024}, {1180.0, 0.6, 0.014}, {2350.0, 0.35, 0.007}};
    std::uint32_t seed = 12345;
    double lowpassed = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double t = static_cast<double>(i) / SAMPLE_RATE;
        double v = 0;
        for (const Mode& m : modes)
            v += m.gain * std::exp(-t / m.decay) * std::sin(TWO_PI * m.freq * t);
        seed = seed * 1664525u + 1013904223u;
        const double noise = (static_cast<double>(seed >> 8) / 8388608.0) - 1.0;
        lowpassed += 0.35 * (noise - lowpassed);
        v += 0.8 * std::exp(-t / 0.0025) * lowpassed;
        x[i] = ramp(t, 0.0006) * ramp(0.2 - t, 0.03) * v;
    }
    return toPcm(x, 0.85);
}

Samples makeTune() {
    // 8 bars of 4 beats at 96 beats a minute: exactly 20 seconds.
    constexpr double beat = BGM_SECONDS / 32.0;
    std::vector<double> x(samplesFor(BGM_SECONDS));

    // A minor pentatonic melody: start beat, length in beats, MIDI note.
    struct Note {
        double start, length;
        int note;
    };
    static constexpr Note melody[] = {
        {0, 1, 76},  {1, 0.5, 74}, {1.5, 0.5, 72}, {2, 2, 69},      {4, 1, 72},  {5, 1, 74},
        {6, 2, 76},  {8, 1.5, 79}, {9.5, 0.5, 76}, {10, 1, 74},     {11, 1, 72}, {12, 3, 74},
        {16, 1, 76}, {17, 1, 79},  {18, 1.5, 81},  {19.5, 0.5, 79}, {20, 1, 76}, {21, 1, 74},
        {22, 2, 72}, {24, 1, 74},  {25, 0.5, 76},  {25.5, 0.5, 74}, {26, 2, 67}, {28, 2.5, 69},
    };
    for (const Note& n : melody) {
        addPluck(x, n.start * beat, n.length * beat, midiToHz(n.note), 0.5);
    }

    // Chords, one a bar: Am F C G Am F G Am, each with a bass note on beats 1 and 3. Every
    // voice has died away before the loop point.
    static const std::vector<int> chords[8] = {{57, 60, 64}, {53, 57, 60}, {55, 60, 64},
                                               {55, 59, 62}, {57, 60, 64}, {53, 57, 60},
                                               {55, 59, 62}, {57, 60, 64}};
    static constexpr int bass[8] = {45, 41, 48, 43, 45, 41, 43, 45};
    for (int bar = 0; bar < 8; ++bar) {
        const double start = bar * 4 * beat;
        addPad(x, start, 4 * beat, chords[bar], 0.18);
        addPluck(x, start, 1.5 * beat, midiToHz(bass[bar]), 0.3);
        addPluck(x, start + 2 * beat, beat, midiToHz(bass[bar]), 0.22);
    }

    // A quiet drone whose frequencies complete whole cycles in 20 s, so that it runs on across
    // the loop point with no break: it starts at zero and its last sample leads back into it.
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double t = static_cast<double>(i) / SAMPLE_RATE;
        const double swell = 0.75 + 0.25 * std::cos(TWO_PI * t / 10.0);  // two swells a loop
        x[i] += 0.05 * swell * (std::sin(TWO_PI * 110.0 * t) + 0.5 * std::sin(TWO_PI * 165.0 * t));
    }
    return toPcm(x, 0.6);
}

std::string wavFile(const Samples& samples) {
    std::string out;
    auto put32 = [&out](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    auto put16 = [&out](std::uint32_t v) {
        out += static_cast<char>(v & 0xFF);
        out += static_cast<char>((v >> 8) & 0xFF);
    };
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    out += "RIFF";
    put32(36 + dataBytes);
    out += "WAVE";
    out += "fmt ";
    put32(16);
    put16(1);  // PCM
    put16(1);  // mono
    put32(SAMPLE_RATE);
    put32(SAMPLE_RATE * 2);
    put16(2);
    put16(16);
    out += "data";
    put32(dataBytes);
    for (const std::int16_t s : samples) put16(static_cast<std::uint16_t>(s));
    return out;
}

}  // namespace velk::soundgen
