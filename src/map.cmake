# Map view, request filtering and key protection.

# The cipher is shared by the viewer and the build-time key tool.
add_library(TrackoraAes STATIC aes128.h aes128gcm.h aes128gcm.cpp)
target_include_directories(TrackoraAes PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(TrackoraAes PUBLIC Qt5::Core OpenSSL::Crypto)

add_executable(trackora_mapkey ${PROJECT_SOURCE_DIR}/tools/mapkey/mapkey.cpp)
target_link_libraries(trackora_mapkey PRIVATE TrackoraAes)
set_target_properties(trackora_mapkey PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

# The map service key is never committed: a packager passes it here and the
# build stores only an AES-128-GCM ciphertext of it under a fresh random key.
set(TRACKORA_MAP_KEY "" CACHE STRING "Map service key to compile in, encrypted (empty: none)")
mark_as_advanced(TRACKORA_MAP_KEY)
set(TRACKORA_MAPKEY_DIR ${CMAKE_BINARY_DIR}/generated/mapkey)
file(CONFIGURE OUTPUT ${TRACKORA_MAPKEY_DIR}/mapkey.txt CONTENT "${TRACKORA_MAP_KEY}")
add_custom_command(
  OUTPUT ${TRACKORA_MAPKEY_DIR}/mapkeypieces.h
  COMMAND trackora_mapkey ${TRACKORA_MAPKEY_DIR}/mapkey.txt ${TRACKORA_MAPKEY_DIR}/mapkeypieces.h mapkey
  DEPENDS trackora_mapkey ${TRACKORA_MAPKEY_DIR}/mapkey.txt
  COMMENT "Encrypting the map service key"
  VERBATIM)

target_sources(TrackoraViewer PRIVATE
  mapwebview.h mapwebview.cpp
  customWebEngine.h customWebEngine.cpp
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
