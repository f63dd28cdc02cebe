// The sound library the game plays through: whole ".wav" images in memory become buffers with
// non-zero handles that play without blocking. Runs over SDL2_mixer; handle 0 is ignored
// everywhere. The audio device is process-wide, so one SoundLibrary should own it at a time.
#pragma once

#include <cstddef>
#include <map>

#include "sound/sound_device.h"

struct Mix_Chunk;

namespace velk {

class SoundLibrary : public SoundDevice {
  public:
    SoundLibrary() = default;
    SoundLibrary(const SoundLibrary&) = delete;
    SoundLibrary& operator=(const SoundLibrary&) = delete;
    ~SoundLibrary() override;

    // Opens the audio device; returns its handle, or 0 when no device can be opened. A device
    // this object already holds is released first, with all its buffers.
    int dsInitialize(long windowHandle) override;
    // Releases the device and every buffer made on it.
    void dsTerminate(int device) override;
    // A buffer from a whole ".wav" image of length bytes; 0 when the device is not open or the
    // image is not a complete, supported WAV. The image may be freed afterwards. The mode is
    // kept for the caller's sake: every buffer can be played once or looped.
    int dsCreateDSB(int device, const unsigned char* image, std::size_t length, int mode) override;
    void dsFree(int buffer) override;
    // Plays the buffer once from its start, cutting short a play of the same buffer.
    void dsPlay(int buffer) override;
    // Plays the buffer over and over until dsStop.
    void dsPlayLooping(int buffer) override;
    void dsStop(int buffer) override;

    // Whether the buffer is sounding now.
    bool isPlaying(int buffer) const;
    int device() const { return device_; }

  private:
    struct Buffer {
        Mix_Chunk* chunk = nullptr;
        int channel = -1;  // the channel it was last started on
        int mode = 0;
    };
    void start(int buffer, int loops);
    bool onItsChannel(const Buffer& b) const;
    void closeDevice();

    int device_ = 0;
    int lastDevice_ = 0;
    int lastBuffer_ = 0;
    std::map<int, Buffer> buffers_;
};

}  // namespace velk
