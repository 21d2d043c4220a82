#pragma once
// The sound list's console entries "SoundList" and "SoundMemory".

namespace sound {

// Empties the sound list, then registers the entries; once at start-up, after initSound.
void startSoundList();
// Removes the entries; at shut-down, before shutdownSound.
void stopSoundList();

// The entries' bodies: each prints its heading and figures on the console.
void printSoundList();
void printSoundMemory();

}  // namespace sound
