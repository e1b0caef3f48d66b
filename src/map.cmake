# Map view, request filtering and key protection.

# The cipher is shared by the viewer and the build-time key tool.
add_library(TrackoraAes STATIC aes128.h aes128gcm.h aes128gcm.cpp)
target_include_directories(TrackoraAes PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(TrackoraAes PUBLIC Qt5::Core OpenSSL::Crypto)

add_executable(trackora_mapkey ${PROJECT_SOURCE_DIR}/tools/mapkey/mapkey.cpp)
target_link_libraries(trackora_mapkey PRIVATE TrackoraAes)
set_target_properties(trackora_mapkey PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

# The map service key is never committed, and the build keeps it neither in
# its cache nor in its tree: a packager names a file outside both that holds
# it (or sets TRACKORA_MAP_KEY_FILE in the environment when configuring), and
# the build writes only an AES-128-GCM ciphertext of it under a fresh random key.
if(NOT "${TRACKORA_MAP_KEY}" STREQUAL "")
  message(WARNING "TRACKORA_MAP_KEY is ignored and removed from the cache, where it stood in the clear: "
    "put the key in a file outside the source and build trees and pass -DTRACKORA_MAP_KEY_FILE=<file>")
endif()
unset(TRACKORA_MAP_KEY CACHE)
unset(TRACKORA_MAP_KEY)
set(TRACKORA_MAP_KEY_FILE "$ENV{TRACKORA_MAP_KEY_FILE}" CACHE FILEPATH
  "File holding the map service key to compile in, encrypted (empty: none)")
mark_as_advanced(TRACKORA_MAP_KEY_FILE)
set(TRACKORA_MAPKEY_DIR ${CMAKE_BINARY_DIR}/generated/mapkey)
# Earlier builds kept the key here in the clear.
file(REMOVE ${TRACKORA_MAPKEY_DIR}/mapkey.txt)
if(TRACKORA_MAP_KEY_FILE)
  get_filename_component(_mapkey_file "${TRACKORA_MAP_KEY_FILE}" ABSOLUTE)
  if(NOT EXISTS "${_mapkey_file}")
    message(FATAL_ERROR "TRACKORA_MAP_KEY_FILE: ${_mapkey_file} does not exist")
  endif()
  foreach(_tree ${CMAKE_BINARY_DIR} ${PROJECT_SOURCE_DIR})
    file(RELATIVE_PATH _inside "${_tree}" "${_mapkey_file}")
    if(NOT _inside MATCHES "^\\.\\./")
      message(FATAL_ERROR "TRACKORA_MAP_KEY_FILE: keep the key outside ${_tree}")
    endif()
  endforeach()
else()
  # Empty: a build without a key.
  set(_mapkey_file ${TRACKORA_MAPKEY_DIR}/nokey.txt)
  file(CONFIGURE OUTPUT ${_mapkey_file} CONTENT "")
endif()
add_custom_command(
  OUTPUT ${TRACKORA_MAPKEY_DIR}/mapkeypieces.h
  COMMAND trackora_mapkey ${_mapkey_file} ${TRACKORA_MAPKEY_DIR}/mapkeypieces.h mapkey
  DEPENDS trackora_mapkey ${_mapkey_file}
  COMMENT "Encrypting the map service key"
  VERBATIM)

target_sources(TrackoraViewer PRIVATE
  mapwebview.h mapwebview.cpp
  customWebEngine.h customWebEngine.cpp
  mapwebenginepage.h mapwebenginepage.cpp
  mappagebridge.h mappagebridge.cpp
  ${TRACKORA_MAPKEY_DIR}/mapkeypieces.h)
target_include_directories(TrackoraViewer PRIVATE ${TRACKORA_MAPKEY_DIR})
target_link_libraries(TrackoraViewer PUBLIC TrackoraAes)

# The pages and the Leaflet copy they load go beside the program.
find_path(TRACKORA_LEAFLET_DIR leaflet.js PATHS /usr/share/javascript/leaflet NO_DEFAULT_PATH)
if(NOT TRACKORA_LEAFLET_DIR)
  message(FATAL_ERROR "Leaflet not found: install libjs-leaflet")
endif()
set(map_dir ${CMAKE_BINARY_DIR}/bin/maps)
set(map_outputs)
foreach(file WG_GoogleMapIndex.html BaiduMapIndex.html OpenStreetMap.html routemap.js routemap.css)
  add_custom_command(OUTPUT ${map_dir}/${file}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/maps/${file} ${map_dir}/${file}
    DEPENDS ${PROJECT_SOURCE_DIR}/maps/${file} VERBATIM)
  list(APPEND map_outputs ${map_dir}/${file})
endforeach()
foreach(file leaflet.js leaflet.css images/layers.png images/layers-2x.png
             images/marker-icon.png images/marker-icon-2x.png images/marker-shadow.png)
  add_custom_command(OUTPUT ${map_dir}/leaflet/${file}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${TRACKORA_LEAFLET_DIR}/${file} ${map_dir}/leaflet/${file}
    DEPENDS ${TRACKORA_LEAFLET_DIR}/${file} VERBATIM)
  list(APPEND map_outputs ${map_dir}/leaflet/${file})
endforeach()
add_custom_target(trackora_maps DEPENDS ${map_outputs})
add_dependencies(TrackoraViewer trackora_maps)
install(DIRECTORY ${map_dir} DESTINATION ${TRACKORA_INSTALL_APPDIR})
