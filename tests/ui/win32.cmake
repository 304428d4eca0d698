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
    PROPERTIES TIMEOUT 120)
endif()
