#include "loopback_output.h"

LoopbackOutput::LoopbackOutput() {
  auto open = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(
      alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
  device = open != nullptr ? open(nullptr) : nullptr;
  if (device == nullptr) return;
  const ALCint attributes[] = {ALC_FREQUENCY,
                               kOutputRate,
                               ALC_FORMAT_CHANNELS_SOFT,
                               ALC_STEREO_SOFT,
                               ALC_FORMAT_TYPE_SOFT,
                               ALC_FLOAT_SOFT,
                               0};
  context = alcCreateContext(device, attributes);
  alcMakeContextCurrent(context);
  render =
      reinterpret_cast<LPALCRENDERSAMPLESSOFT>(alcGetProcAddress(device, "alcRenderSamplesSOFT"));
}

LoopbackOutput::~LoopbackOutput() {
  alcMakeContextCurrent(nullptr);
  if (context != nullptr) alcDestroyContext(context);
  if (device != nullptr) alcCloseDevice(device);
}
