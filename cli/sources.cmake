# Everything of kaldora-calc but its main, for the native build and the browser's.
set(KALDORA_CLI_SOURCES)
foreach(source arguments output table table_columns table_io csv_reader workbook_reader text_encoding deflate_level)
  list(APPEND KALDORA_CLI_SOURCES ${CMAKE_CURRENT_LIST_DIR}/${source}.cpp)
endforeach()
