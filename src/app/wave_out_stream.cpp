// The wave-out stream: blocks queued on the device, waited for through its event.
#include "wave_out_stream.h"

#include "toolkit/late_bound.h"

namespace {

// Long enough for any block; only a device that stops telling would make it wait this long.
constexpr DWORD kBlockWaitMs = 2000;

}  // namespace

TWaveOutStream::TWaveOutStream() : FDone(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
    if (!FDone) return;  // no event, no stream: the caller plays another way
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = 8000;
    format.wBitsPerSample = 8;
    format.nBlockAlign = 1;
    format.nAvgBytesPerSec = 8000;
    HWAVEOUT device = nullptr;
    if (late::waveOutOpen(&device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(FDone.Get()),
                          0, CALLBACK_EVENT) == MMSYSERR_NOERROR)
        FDevice = device;
}

TWaveOutStream::~TWaveOutStream() {
    if (!FDevice) return;
    AwaitAll();
    // A block the device never gave back is taken back by the reset before it is freed.
    late::waveOutReset(FDevice);
    for (const auto& block : FBlocks)
        late::waveOutUnprepareHeader(FDevice, &block->Header, sizeof(WAVEHDR));
    late::waveOutClose(FDevice);  // its result changes nothing: the stream is over
}

void TWaveOutStream::Write(const std::uint8_t* samples, std::size_t count,
                           std::size_t tailSamples) {
    if (!FDevice || count == 0) return;
    const std::size_t tail = tailSamples < count ? tailSamples : 0;
    Queue(samples, count - tail);
    if (tail) Queue(samples + count - tail, tail);
}

void TWaveOutStream::Queue(const std::uint8_t* samples, std::size_t count) {
    DropDoneBlocks();
    auto block = std::make_unique<TBlock>();
    block->Samples.assign(samples, samples + count);
    block->Header.lpData = reinterpret_cast<LPSTR>(block->Samples.data());
    block->Header.dwBufferLength = static_cast<DWORD>(count);
    if (late::waveOutPrepareHeader(FDevice, &block->Header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR)
        return;  // not sounded; the number goes on
    if (late::waveOutWrite(FDevice, &block->Header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
        late::waveOutUnprepareHeader(FDevice, &block->Header, sizeof(WAVEHDR));
        return;
    }
    FBlocks.push_back(std::move(block));
}

void TWaveOutStream::AwaitTail() {
    AwaitBlocksLeft(1);
}

void TWaveOutStream::AwaitAll() {
    AwaitBlocksLeft(0);
}

void TWaveOutStream::AwaitBlocksLeft(std::size_t left) {
    DropDoneBlocks();
    while (FBlocks.size() > left) {
        // The event is set once for every block done, and may be set already for one that
        // was dropped above: so look at the flags again after every wake, timeout or not.
        if (WaitForSingleObject(FDone.Get(), kBlockWaitMs) == WAIT_TIMEOUT &&
            !(FBlocks.front()->Header.dwFlags & WHDR_DONE))
            return;  // the device has stopped; do not hang the window on it
        DropDoneBlocks();
    }
}

void TWaveOutStream::DropDoneBlocks() {
    while (!FBlocks.empty() && (FBlocks.front()->Header.dwFlags & WHDR_DONE)) {
        late::waveOutUnprepareHeader(FDevice, &FBlocks.front()->Header, sizeof(WAVEHDR));
        FBlocks.pop_front();
    }
}
