# One place for the warning set of every target; warnings are errors.
function(quarnel_set_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
        -Wsuggest-override -Wold-style-cast -Wimplicit-fallthrough)
    set_target_properties(${target} PROPERTIES COMPILE_WARNING_AS_ERROR ON)
endfunction()

# quarnel_add_library(target folder [TOP_LEVEL] LINKS libraries...): a static library of the folder's sources with
# the warning set, linking the libraries below it. TOP_LEVEL leaves out the subfolders (the engine object's folder
# holds the other engine libraries).
function(quarnel_add_library target folder)
    cmake_parse_arguments(PARSE_ARGV 2 ARG "TOP_LEVEL" "" "LINKS")
    if(ARG_TOP_LEVEL)
        file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp")
    else()
        file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp")
    endif()
    add_library(${target} STATIC ${sources})
    target_link_libraries(${target} PUBLIC ${ARG_LINKS})
    quarnel_set_warnings(${target})
endfunction()
