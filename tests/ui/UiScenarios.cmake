# The window scenarios, written once against UiDriver. Each backend's test program compiles
# them together with its own MakeUiDriver.
set(CALVORN_UI_SCENARIO_DIR ${CMAKE_CURRENT_LIST_DIR})
set(CALVORN_UI_SCENARIO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ManagerScenario.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FilterScenarios.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IviScenarios.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RemovalScenarios.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowScenarios.cpp)
