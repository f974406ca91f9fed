# The real velto under its own Xvfb, driven with X events (xdotool); see velto_e2e.py.
find_package(Python3 COMPONENTS Interpreter)
if(Python3_Interpreter_FOUND)
  add_test(NAME velto_e2e
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/velto_e2e.py $<TARGET_FILE:velto>)
  set_tests_properties(velto_e2e PROPERTIES TIMEOUT 120)
endif()
# Commands of later starts and the global focus key; see bar_commands_e2e.py.
if(Python3_Interpreter_FOUND)
  add_test(NAME velto_commands_e2e
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/bar_commands_e2e.py
                   $<TARGET_FILE:velto>)
  set_tests_properties(velto_commands_e2e PROPERTIES TIMEOUT 120)
endif()
