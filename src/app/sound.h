// The one way out to the loudspeaker: a replaceable player of complete wave images.
// The program plays through the system's synchronous memory player; tests put a recorder
// in its place.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

using TSoundPlayer = std::function<void(const std::vector<std::uint8_t>& image)>;

// Plays one wave image to its end.
void PlayWaveImage(const std::vector<std::uint8_t>& image);
// Replaces the player; returns the previous one. An empty player restores the system's.
TSoundPlayer SetSoundPlayer(TSoundPlayer player);

// The system's warning sound: something the user asked for could not be finished.
void PlayWarningSound();
// Replaces it (for tests); returns the previous one. Empty restores the system's.
std::function<void()> SetWarningSound(std::function<void()> sound);
