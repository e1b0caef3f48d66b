# Recording data: records, configuration, parsers, playlist.
target_sources(TrackoraViewer PRIVATE gpsdata.h)
