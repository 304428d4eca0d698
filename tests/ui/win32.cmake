# Tests of the window run time's Windows side and of the portable pieces it alone uses:
# natively with the sanitizers, and the real window under Wine.
set(window_ui ${PROJECT_SOURCE_DIR}/ui)
set(window_fakes ${PROJECT_SOURCE_DIR}/tests/fakes/fatal_fake.cpp)

if(NOT TIMECAL_WIN32)
  timecal_test(window_module_path_test
    SOURCES window_module_path_test.cpp ${window_ui}/module_path.cpp
    LIBS timecal_options)
  timecal_test(window_property_types_test
    SOURCES window_property_types_test.cpp ${window_ui}/property_types.cpp
      ${window_ui}/value_slots.cpp ${window_fakes}
    LIBS timecal_values timecal_services_core)
  timecal_test(window_events_test
    SOURCES window_events_test.cpp form_builder.cpp ${window_ui}/events.cpp
      ${window_ui}/kind_traits.cpp ${window_ui}/property_access.cpp ${window_fakes}
      ${PROJECT_SOURCE_DIR}/tests/fakes/runtime_platform_fake.cpp
    LIBS timecal_ui_core timecal_values timecal_services_core)
endif()

if(TIMECAL_WIN32)
  # The window in the test's own process: its properties, timer, keys and the loop's end.
  timecal_test(window_runtime_test
    SOURCES window_runtime_test.cpp ${window_fakes}
    LIBS timecal_ui_win timecal_services_core
    PROPERTIES TIMEOUT 300)
  # Every window and button event bound, from a form built for it.
  timecal_test(window_form_events_test
    SOURCES window_form_events_test.cpp form_builder.cpp ${window_fakes}
    LIBS timecal_ui_win timecal_services_core
    PROPERTIES TIMEOUT 300)
  # Its fatal ends: each death test runs in a process of its own.
  timecal_test(window_fatal_test
    SOURCES window_fatal_test.cpp form_builder.cpp ${window_fakes}
    LIBS timecal_ui_win timecal_services_core
    PROPERTIES TIMEOUT 300)
endif()

if(TIMECAL_WIN32)
  # The user's view: the program-like test window and a probe that looks at it and sends it
  # input from another process, driven by a script with screenshots of the display.
  add_executable(window_ui_app window_ui_app.cpp ${window_fakes})
  target_link_libraries(window_ui_app PRIVATE timecal_ui_win timecal_services_core timecal_options)
  target_link_options(window_ui_app PRIVATE -mconsole)
  add_executable(window_probe_ui window_probe_ui.cpp)
  target_link_libraries(window_probe_ui PRIVATE user32 timecal_options)
  target_link_options(window_probe_ui PRIVATE -mconsole)
endif()

# The window tests run on a Wine desktop of their own (own prefix, so own wineserver, and own
# Xvfb display), one at a time, so that no other program's window takes the focus or the input
# meant for theirs.
set(window_desktop_lock window_desktop)
set(window_desktop_environment
  TIMECAL_WINEPREFIX=${PROJECT_SOURCE_DIR}/build/wine/win64-window DISPLAY= TIMECAL_XVFB_DISPLAY=77)
if(TIMECAL_WIN32)
  set_tests_properties(window_runtime_test window_form_events_test window_fatal_test PROPERTIES
    RESOURCE_LOCK ${window_desktop_lock}
    ENVIRONMENT "${window_desktop_environment}")
endif()

if(TIMECAL_WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 8)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  foreach(way view close-box system-close alt-f4)
    add_test(NAME window_ui_${way}
      COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/window_ui_check.py
        --app $<TARGET_FILE:window_ui_app> --probe $<TARGET_FILE:window_probe_ui> --way ${way}
        -- ${CMAKE_CROSSCOMPILING_EMULATOR})
    set_tests_properties(window_ui_${way} PROPERTIES LABELS "ui;win32" TIMEOUT 360
      RESOURCE_LOCK ${window_desktop_lock} ENVIRONMENT "${window_desktop_environment}")
  endforeach()
endif()
