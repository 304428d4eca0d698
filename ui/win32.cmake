# The Windows edge of the window run time: the window, its controls, properties, events and the
# message loop, with the portable pieces only it uses. reportFatalError comes from the
# program's services (or a test's fake).
add_library(timecal_ui_win STATIC
  ${CMAKE_CURRENT_LIST_DIR}/button_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cursor_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/events.cpp
  ${CMAKE_CURRENT_LIST_DIR}/font_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_window_proc_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_window_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/initialise_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/keyboard_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kind_traits.cpp
  ${CMAKE_CURRENT_LIST_DIR}/label_paint_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/label_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/load_window_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/message_loop_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/module_path.cpp
  ${CMAKE_CURRENT_LIST_DIR}/properties_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/property_access.cpp
  ${CMAKE_CURRENT_LIST_DIR}/property_types.cpp
  ${CMAKE_CURRENT_LIST_DIR}/runtime_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/timer_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit_window_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/value_slots.cpp)
target_link_libraries(timecal_ui_win PUBLIC timecal_ui_core timecal_values
  user32 gdi32 comctl32 ole32 msimg32)
# The core's shutdown calls releasePlatformRuntime of this edge: the two libraries need each
# other, which CMake resolves by repeating them on the link line.
target_link_libraries(timecal_ui_core PUBLIC timecal_ui_win)
