#pragma once
// The music service: one streamed file at a time (menu, level and intro music), played once
// or endlessly, paused and resumed at its position, with a volume of 0..255. The work is
// done by an installed MusicDevice (music_device.h); without one initMusic fails and every
// call after it does nothing, so headless programs run silent. Main thread only.

#include <cstdint>
#include <string_view>

namespace music {

// Starts the device, prints whether that worked, sets the volume to 255, registers the
// console entries, then applies the stored "Music" preference (on 255, off 0).
void initMusic();
// Closes the stream and the device, and removes the console entries.
void shutdownMusic();

// Stops the current stream and opens `file` (a data path); true when it opened and plays.
// False when the service isn't running, the name is empty, the old stream won't stop, or
// the file can't be opened; the old stream has stopped by then.
bool playMusic(std::string_view file, bool loop);
// Stops and closes the stream; true when there is none left.
bool stopMusic();
// Remembers the position and silences the stream; resumeMusic plays on from there. Both
// answer whether there is a stream.
bool pauseMusic();
bool resumeMusic();

// Stored and applied only while the service is running.
void setMusicVolume(uint8_t volume);
// The stored volume, 0 when the service isn't running.
uint8_t getMusicVolume();
// The player's loudness, 0..1 (clamped): the device plays the volume above scaled by it, so
// the volume keeps its meaning (0 is off) whatever the loudness. Kept across restarts.
void setMusicLoudness(float share);
float musicLoudness();

bool isMusicInitialised();
bool hasMusicStream();
// The position pauseMusic saved, in milliseconds; reset by initMusic and playMusic.
uint32_t savedMusicPosition();

}  // namespace music
