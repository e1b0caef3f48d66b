# Decoding engine sources (queues, demuxer, decoders, audio, player core).
target_sources(TrackoraEngine PRIVATE
  Classes/FFBuffer.h Classes/FFBuffer.cpp
  Classes/FFDemuxer.h Classes/FFDemuxer.cpp
  Classes/FFNextInput.h Classes/FFNextInput.cpp
  Classes/FFVideo.h Classes/FFVideo.cpp
  Classes/FFHelper.h Classes/FFHelper.cpp
  Classes/FFThreadHook.h Classes/FFThreadHook.cpp
  Classes/FFUtils.h Classes/FFUtils.cpp)

# Audio output and the player core.
# SoundTouch's C interface lives in its own library, without a pkg-config file.
find_library(SOUNDTOUCH_C_LIBRARY SoundTouchDll REQUIRED)
target_sources(TrackoraEngine PRIVATE
  Classes/FFAudio.h Classes/FFAudio.cpp
  Classes/FFTempoTimeline.h Classes/FFTempoTimeline.cpp
  Classes/FFPlayerAxUserData.h
  Classes/FFPlayer.h Classes/FFPlayer.cpp)
target_link_libraries(TrackoraEngine PRIVATE ${SOUNDTOUCH_C_LIBRARY})
