# The settings dialog of the real velto under its own Xvfb, driven with X events (xdotool);
# see dialog_e2e.py. It shares the X server and recorder helpers of velto_e2e.py.
find_package(Python3 COMPONENTS Interpreter)
if(Python3_Interpreter_FOUND)
  add_test(NAME velto_dialog_e2e
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/dialog_e2e.py $<TARGET_FILE:velto>)
  set_tests_properties(velto_dialog_e2e PROPERTIES TIMEOUT 120)
endif()
