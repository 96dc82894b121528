# Fails when a source includes a header by a path that climbs out of its
# folder ("../ui/main_window.h"): the compiler would find it beside the file and
# pass by the include roots that keep the layers apart.
#   cmake -DSOURCE_DIR=... -P check_includes.cmake
file(GLOB_RECURSE sources
  ${SOURCE_DIR}/model/*.[ch]* ${SOURCE_DIR}/engine/*.[ch]* ${SOURCE_DIR}/report/*.[ch]*
  ${SOURCE_DIR}/ui/*.[ch]* ${SOURCE_DIR}/cli/*.[ch]* ${SOURCE_DIR}/assets/*.[ch]* ${SOURCE_DIR}/files/*.[ch]*
  ${SOURCE_DIR}/tests/*.[ch]* ${SOURCE_DIR}/bench/*.[ch]*)
set(found "")
foreach(source IN LISTS sources)
  file(STRINGS ${source} climbing REGEX "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*/)?\\.\\./")
  foreach(line IN LISTS climbing)
    string(APPEND found "\n  ${source}: ${line}")
  endforeach()
endforeach()
if(found)
  message(FATAL_ERROR "Includes must be written from the module's root, not climb out of a folder:${found}")
endif()
