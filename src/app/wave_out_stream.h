// One open wave-out stream of 8-bit mono samples at 8000 per second: sounds queued one after
// another follow without a gap, which opening and closing the device for each of them (the
// system's memory player) does not give.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "toolkit/handles.h"

class TWaveOutStream {
  public:
    // Opens the default wave output; IsOpen() says whether there is one.
    TWaveOutStream();
    // Lets everything queued sound to its end, then closes the device.
    ~TWaveOutStream();
    TWaveOutStream(const TWaveOutStream&) = delete;
    TWaveOutStream& operator=(const TWaveOutStream&) = delete;

    bool IsOpen() const { return FDevice != nullptr; }
    // Queues the samples behind what is queued already. Their last tailSamples go into a
    // block of their own, so that AwaitTail can tell when only those are left to sound.
    void Write(const std::uint8_t* samples, std::size_t count, std::size_t tailSamples);
    // Returns when everything queued but the tail of the last write has sounded.
    void AwaitTail();
    // Returns when everything queued has sounded.
    void AwaitAll();

  private:
    struct TBlock {
        WAVEHDR Header{};
        std::vector<std::uint8_t> Samples;
    };
    void Queue(const std::uint8_t* samples, std::size_t count);
    void AwaitBlocksLeft(std::size_t left);
    void DropDoneBlocks();

    HWAVEOUT FDevice = nullptr;
    TEventHandle FDone;                           // set by the device whenever a block has sounded
    std::deque<std::unique_ptr<TBlock>> FBlocks;  // queued, oldest first; WAVEHDRs stay put
};
