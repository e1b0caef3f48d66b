# Application shell.
target_sources(TrackoraViewer PRIVATE mainwindows.h mainwindows.cpp)
