# Decoding engine sources (queues, demuxer, decoders, audio, player core).
target_sources(TrackoraActiveX PRIVATE
  Classes/FFBuffer.h Classes/FFBuffer.cpp
  Classes/FFDemuxer.h Classes/FFDemuxer.cpp
  Classes/FFVideo.h Classes/FFVideo.cpp
  Classes/FFHelper.h Classes/FFHelper.cpp
  Classes/FFUtils.h Classes/FFUtils.cpp)
