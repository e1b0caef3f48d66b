# Play area and player hosts, and the container of the player component's
# control. The component itself is loaded at run time, never linked.
target_sources(TrackoraViewer PRIVATE
  axwidget.h axwidget.cpp
  trackoraactivexlib.h trackoraactivexlib.cpp
  PlayerWidget.h PlayerWidget.cpp
  playareamanager.h playareamanager.cpp)
