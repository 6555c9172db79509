# The Windows host's services (socket, sound, lobby link, log, message boxes, browser, single
# instance, prop plug-in): included by the window host's CMakeLists and by the tests, whichever
# comes first.
if(NOT TARGET qintara_win_services)
  set(_dir ${CMAKE_CURRENT_LIST_DIR})
  # Each piece on its own, for the tests.
  add_library(qintara_win_parts STATIC
    ${_dir}/win_socket.cpp
    ${_dir}/win_sound.cpp
    ${_dir}/win_lobby.cpp
    ${_dir}/win_instance.cpp
    ${_dir}/win_log.cpp
    ${_dir}/win_plugin.cpp)
  target_include_directories(qintara_win_parts PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_compile_definitions(qintara_win_parts PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN
                             NOMINMAX _WIN32_WINNT=0x0A00)
  target_link_libraries(qintara_win_parts PUBLIC qintara_core ws2_32 dsound dxguid shell32 user32
                        ole32)
  # The text conversions, message boxes and browser come with the window host when it is there.
  if(TARGET qintara_winhost)
    target_link_libraries(qintara_win_parts PUBLIC qintara_winhost)
  else()
    target_sources(qintara_win_parts PRIVATE ${_dir}/wide.cpp ${_dir}/win_shell.cpp)
  endif()
  # The factory the window host calls.
  add_library(qintara_win_services STATIC ${_dir}/win_services.cpp)
  target_link_libraries(qintara_win_services PUBLIC qintara_win_parts)
endif()
