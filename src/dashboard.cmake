# Dashboard: control panel, rate selector, volume slider, gauges, G-sensor chart.
target_sources(TrackoraViewer PRIVATE
  dashboardsupport.h dashboardsupport.cpp
  controlpanel.h controlpanel.cpp controlpanel.ui
  fcombobox.h fcombobox.cpp fcombobox.ui
  cextendslider.h cextendslider.cpp
  gaugegeometry.h
  speedtray.h speedtray.cpp
  directiontray.h directiontray.cpp
  gyrochartview.h gyrochartview.cpp)

# Every button face and dial is an SVG source rendered to PNG here, so the
# states of a button stay consistent and change in one place.
set(svg_dir ${PROJECT_SOURCE_DIR}/resources/svg)
set(dashboard_image_dir ${CMAKE_BINARY_DIR}/generated/dashboard)
set(dashboard_pngs)
set(view_states normal hover pressed checked_normal checked_hover checked_pressed disable)
set(button_states normal hover pressed disable)

function(dashboard_picture source size name)
  set(outputs)
  foreach(state ${ARGN})
    if(state STREQUAL "plain")
      list(APPEND outputs ${dashboard_image_dir}/${name}.png)
    else()
      list(APPEND outputs ${dashboard_image_dir}/${name}_${state}.png)
    endif()
  endforeach()
  add_custom_command(OUTPUT ${outputs}
    COMMAND trackora_svgrender ${svg_dir}/${source}.svg ${size} ${dashboard_image_dir} ${name} ${ARGN}
    DEPENDS trackora_svgrender ${svg_dir}/${source}.svg
    COMMENT "Rendering the ${name} pictures"
    VERBATIM)
  set(dashboard_pngs ${dashboard_pngs} ${outputs} PARENT_SCOPE)
endfunction()

foreach(view front_view rear_view front_rear_view events)
  dashboard_picture(${view} 32 ${view} ${view_states})
endforeach()
foreach(button file shot prev next stop play pause)
  dashboard_picture(${button} 32 ${button} ${button_states})
endforeach()
dashboard_picture(volume 24 volume normal hover pressed)
dashboard_picture(mute 24 mute normal hover pressed)
dashboard_picture(speedup 16 speedup ${button_states})
dashboard_picture(speeddown 16 speeddown ${button_states})
dashboard_picture(speed 300 speed plain)
dashboard_picture(direction 300 direction plain)

set(qrc "<RCC>\n  <qresource prefix=\"/image\">\n")
foreach(png ${dashboard_pngs})
  get_filename_component(png_name ${png} NAME)
  string(APPEND qrc "    <file alias=\"${png_name}\">${png}</file>\n")
endforeach()
string(APPEND qrc "  </qresource>\n</RCC>\n")
file(CONFIGURE OUTPUT ${dashboard_image_dir}/dashboardimages.qrc CONTENT "${qrc}")
qt5_add_resources(dashboard_rcc ${dashboard_image_dir}/dashboardimages.qrc)
target_sources(TrackoraViewer PRIVATE ${dashboard_rcc})
