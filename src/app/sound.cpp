// The system's synchronous memory wave player, behind a replaceable seam.
#include "sound.h"

#include <windows.h>
#include <mmsystem.h>

#include "toolkit/late_bound.h"

namespace {

void SystemPlayer(const std::vector<std::uint8_t>& image) {
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

void PlayWarningSound() {
    Warning()();
}

std::function<void()> SetWarningSound(std::function<void()> sound) {
    std::function<void()> previous = Warning();
    Warning() = sound ? std::move(sound) : std::function<void()>(SystemWarning);
    return previous;
}
