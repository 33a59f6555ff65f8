# zarvo_host_tool(NAME VAR SOURCES... [DEPENDS HEADERS...]): builds NAME with the host's compiler
# and sets VAR to its path. The build runs such helpers itself, and a cross build cannot run
# what it builds for its target.
function(zarvo_host_tool name var)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "SOURCES;DEPENDS")
  set(program ${CMAKE_CURRENT_BINARY_DIR}/${name}-host)
  add_custom_command(OUTPUT ${program}
    COMMAND c++ -std=c++17 -O2 -I${PROJECT_SOURCE_DIR} ${arg_SOURCES} -o ${program}
    DEPENDS ${arg_SOURCES} ${arg_DEPENDS}
    VERBATIM)
  set(${var} ${program} PARENT_SCOPE)
endfunction()
