# Fails when a C++ source is not formatted as .clang-format says.
#   cmake -DSOURCE_DIR=... -DCLANG_FORMAT=... -P check_format.cmake
file(GLOB_RECURSE sources
  ${SOURCE_DIR}/model/*.cpp ${SOURCE_DIR}/model/*.h ${SOURCE_DIR}/engine/*.cpp ${SOURCE_DIR}/engine/*.h
  ${SOURCE_DIR}/report/*.cpp ${SOURCE_DIR}/report/*.h ${SOURCE_DIR}/ui/*.cpp ${SOURCE_DIR}/ui/*.h
  ${SOURCE_DIR}/cli/*.cpp ${SOURCE_DIR}/cli/*.h ${SOURCE_DIR}/assets/*.cpp ${SOURCE_DIR}/assets/*.h
  ${SOURCE_DIR}/files/*.cpp ${SOURCE_DIR}/files/*.h
  ${SOURCE_DIR}/tests/*.cpp ${SOURCE_DIR}/tests/*.h ${SOURCE_DIR}/bench/*.cpp)
list(FILTER sources EXCLUDE REGEX "/tests/fuzz/corpus/")
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${sources} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "Not formatted as .clang-format says; clang-format -i the files above")
endif()
