# The settings dialog window of the Linux program: the real window over the real core and the
# real search bar window, with real mouse and key events on the offscreen platform.
set(_dialog_dir ${CMAKE_CURRENT_LIST_DIR})
foreach(_name qt_dialog_layout_test qt_dialog_editing_test)
  string(REPLACE "qt_dialog_" "dialog_" _source ${_name})
  add_executable(${_name} ${_dialog_dir}/${_source}.cpp ${_dialog_dir}/dialog_window_fixture.cpp)
  target_link_libraries(${_name} PRIVATE velto_qt velto_test_support Qt6::Test)
  target_include_directories(${_name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  set_target_properties(${_name} PROPERTIES AUTOMOC ON RUNTIME_OUTPUT_DIRECTORY ${VELTO_TEST_OUTPUT})
  add_test(NAME ${_name} COMMAND ${_name})
  set_tests_properties(${_name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=ja_JP.UTF-8;QT_LOGGING_RULES=qt.qpa.*=false"
    TIMEOUT 120)
endforeach()
