// The sound library as the game's controller sees it.
#pragma once

#include <cstddef>

namespace velk {

// The sound library as the game uses it: an in-memory WAV image in, non-zero handles out,
// handle 0 ignored everywhere.
class SoundDevice {
  public:
    virtual ~SoundDevice() = default;
    virtual int dsInitialize(long windowHandle) = 0;
    virtual void dsTerminate(int device) = 0;
    virtual int dsCreateDSB(int device, const unsigned char* image, std::size_t length,
                            int mode) = 0;
    virtual void dsFree(int buffer) = 0;
    virtual void dsPlay(int buffer) = 0;
    virtual void dsPlayLooping(int buffer) = 0;
    virtual void dsStop(int buffer) = 0;
};

}  // namespace velk
