# Decoding engine: queues, demuxer, decoders, audio output, player core.
trackora_add_test(tst_ffbuffer SOURCES tst_ffbuffer.cpp
  LIBS TrackoraActiveX PkgConfig::FFMPEG LABELS unit engine TIMEOUT 90)
