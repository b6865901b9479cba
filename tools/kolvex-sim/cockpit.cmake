# kolvex-sim's cockpit: flown legs, IGC replay, the face in the terminal and as a picture,
# interactive use. Included by tools/CMakeLists.txt after the kolvex-sim target.
add_library(kolvex_cockpit STATIC
  ${CMAKE_CURRENT_LIST_DIR}/flight.cpp
  ${CMAKE_CURRENT_LIST_DIR}/igc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/terminal_face.cpp
  ${CMAKE_CURRENT_LIST_DIR}/render.cpp
  ${CMAKE_CURRENT_LIST_DIR}/interactive.cpp)
target_link_libraries(kolvex_cockpit PUBLIC kolvex_panel_host)
if(NOT WIN32)
  # Pictures: PNG through libpng, the console font through zlib (Debian: libpng-dev).
  find_package(PNG REQUIRED)
  find_package(ZLIB REQUIRED)
  target_link_libraries(kolvex_cockpit PRIVATE PNG::PNG ZLIB::ZLIB)
endif()
target_link_libraries(kolvex-sim PRIVATE kolvex_cockpit)
