// The system's synchronous memory wave player, behind a replaceable seam.
#include "sound.h"

#include <windows.h>
#include <mmsystem.h>

namespace {

void SystemPlayer(const std::vector<std::uint8_t>& image) {
    // Synchronous, from memory; without a wave device the call fails at once, which is fine:
    // the program goes on silently.
    sndPlaySoundW(reinterpret_cast<LPCWSTR>(image.data()), SND_MEMORY);
}

TSoundPlayer& Player() {
    static TSoundPlayer player = SystemPlayer;
    return player;
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
