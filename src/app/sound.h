// The one way out to the loudspeaker: a replaceable player of complete wave images.
// The program plays through the system's synchronous memory player; tests put a recorder
// in its place.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

using TSoundPlayer = std::function<void(const std::vector<std::uint8_t>& image)>;

// Plays one wave image to its end; in a sound sequence, queues it behind the one before.
void PlayWaveImage(const std::vector<std::uint8_t>& image);
// Replaces the player; returns the previous one. An empty player restores the system's.
TSoundPlayer SetSoundPlayer(TSoundPlayer player);

// While one lives, the system's player queues the images on one wave-out stream, opened at
// the first image and closed at the end, so that they follow each other without the gap and
// the delay of opening the device for each: the number keeps its own pace. The last tailMs of
// each image (its closing silence) is when the next is handed over. Without a wave output the
// images go to the memory player as usual; a replaced player is used as it is.
class TSoundSequence {
  public:
    explicit TSoundSequence(int tailMs);
    // Returns when everything queued has sounded.
    ~TSoundSequence();
    TSoundSequence(const TSoundSequence&) = delete;
    TSoundSequence& operator=(const TSoundSequence&) = delete;

    struct TState;  // kept in sound.cpp

  private:
    std::unique_ptr<TState> FState;
    TState* FOuter;
};

// In a sequence on the stream: returns when the image queued last has only its tail left to
// sound, so what follows (a highlight, the next image) keeps in step with what is heard. At
// once otherwise.
void AwaitSoundTurn();

// The system's warning sound: something the user asked for could not be finished.
void PlayWarningSound();
// Replaces it (for tests); returns the previous one. Empty restores the system's.
std::function<void()> SetWarningSound(std::function<void()> sound);
