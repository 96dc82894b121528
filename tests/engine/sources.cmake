# The engine's test suite, built natively (tests/) and for the browser (web/).
set(KALDORA_ENGINE_TEST_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/test_main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/number_text_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kernels_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reference_tables_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/value_exchange_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/surface_temperature_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/heat_loss_norm_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/condensation_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/freeze_protection_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/channel_two_pipe_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/arithmetic_fault_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/whole_result_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/current_norm_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/type_descriptions_test.cpp
)
