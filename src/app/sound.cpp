// The system's synchronous memory wave player, behind a replaceable seam.
#include "sound.h"

#include <windows.h>
#include <mmsystem.h>

#include "app/wave_out_stream.h"
#include "core/dtmf.h"
#include "toolkit/late_bound.h"

struct TSoundSequence::TState {
    std::size_t TailSamples = 0;
    std::unique_ptr<TWaveOutStream> Stream;  // opened at the first image
};

namespace {

TSoundSequence::TState* Sequence = nullptr;  // the innermost sound sequence alive

void SystemPlayer(const std::vector<std::uint8_t>& image) {
    if (Sequence && image.size() > velkari::kToneHeaderSize) {
        if (!Sequence->Stream) Sequence->Stream = std::make_unique<TWaveOutStream>();
        if (Sequence->Stream->IsOpen()) {
            // Our own images: the samples follow the fixed header.
            Sequence->Stream->Write(image.data() + velkari::kToneHeaderSize,
                                    image.size() - velkari::kToneHeaderSize, Sequence->TailSamples);
            return;
        }
    }
    // Synchronous, from memory; without a wave device the call fails at once, which is fine:
    // the program goes on silently.
    late::sndPlaySoundW(reinterpret_cast<LPCWSTR>(image.data()), SND_MEMORY);
}

TSoundPlayer& Player() {
    static TSoundPlayer player = SystemPlayer;
    return player;
}

void SystemWarning() {
    MessageBeep(MB_ICONWARNING);  // asynchronous; without a sound device it beeps or is silent
}

std::function<void()>& Warning() {
    static std::function<void()> warning = SystemWarning;
    return warning;
}

}  // namespace

void PlayWaveImage(const std::vector<std::uint8_t>& image) {
    Player()(image);
}

TSoundPlayer SetSoundPlayer(TSoundPlayer player) {
    TSoundPlayer previous = Player();
    Player() = player ? std::move(player) : TSoundPlayer(SystemPlayer);
    return previous;
}

TSoundSequence::TSoundSequence(int tailMs) : FState(std::make_unique<TState>()), FOuter(Sequence) {
    FState->TailSamples = static_cast<std::size_t>(velkari::ToneSampleCount(tailMs));
    Sequence = FState.get();
}

TSoundSequence::~TSoundSequence() {
    Sequence = FOuter;
    FState->Stream.reset();  // lets the queue sound to its end, then closes the device
}

void AwaitSoundTurn() {
    if (Sequence && Sequence->Stream) Sequence->Stream->AwaitTail();
}

void PlayWarningSound() {
    Warning()();
}

std::function<void()> SetWarningSound(std::function<void()> sound) {
    std::function<void()> previous = Warning();
    Warning() = sound ? std::move(sound) : std::function<void()>(SystemWarning);
    return previous;
}
