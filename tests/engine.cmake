# Decoding engine: queues, demuxer, decoders, audio output, player core.
trackora_add_test(tst_ffbuffer SOURCES tst_ffbuffer.cpp
  LIBS TrackoraEngine PkgConfig::FFMPEG LABELS unit engine TIMEOUT 90)
trackora_add_test(tst_ffvideo SOURCES tst_ffvideo.cpp
  LIBS TrackoraEngine PkgConfig::FFMPEG LABELS engine media MEDIA TIMEOUT 120)
trackora_add_test(tst_ffplayer SOURCES tst_ffplayer.cpp
  LIBS TrackoraEngine PkgConfig::FFMPEG PkgConfig::SDL2 LABELS media engine MEDIA TIMEOUT 240)
trackora_add_test(tst_ffdemuxer SOURCES tst_ffdemuxer.cpp
  LIBS TrackoraEngine PkgConfig::FFMPEG PkgConfig::SDL2 LABELS engine media MEDIA TIMEOUT 120)
trackora_add_test(tst_ffaudio SOURCES tst_ffaudio.cpp
  LIBS TrackoraEngine PkgConfig::FFMPEG PkgConfig::SDL2 LABELS media engine MEDIA TIMEOUT 120)
trackora_add_test(tst_fftempotimeline SOURCES tst_fftempotimeline.cpp
  LIBS TrackoraEngine ${SOUNDTOUCH_C_LIBRARY} LABELS unit engine TIMEOUT 60)
# Runs the sync benchmark on its own clips: picture against sound from outside the engine.
trackora_add_test(tst_avsync SOURCES tst_avsync.cpp LABELS engine media TIMEOUT 240)
add_dependencies(tst_avsync trackora-bench)
# Runs the decoding-device comparison on generated clips: both runs must show the same pictures.
trackora_add_test(tst_hwdecode SOURCES tst_hwdecode.cpp LABELS engine media MEDIA TIMEOUT 120)
add_dependencies(tst_hwdecode trackora-bench)
# One recording after another without a stop, with frame-numbered clips.
trackora_add_test(tst_seam SOURCES tst_seam.cpp
  LIBS TrackoraEngine PkgConfig::FFMPEG PkgConfig::SDL2 LABELS media engine MEDIA TIMEOUT 120)
