# One place for the warning set of every target; warnings are errors.
function(quarnel_set_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
        -Wsuggest-override -Wold-style-cast -Wimplicit-fallthrough)
    set_target_properties(${target} PROPERTIES COMPILE_WARNING_AS_ERROR ON)
endfunction()

# A library whose folder holds no source yet still needs one translation unit to be a library.
function(quarnel_nonempty_sources var)
    if(NOT ${var})
        set(stub "${CMAKE_CURRENT_BINARY_DIR}/empty_library.cpp")
        file(WRITE "${stub}" "// no sources yet\n")
        set(${var} "${stub}" PARENT_SCOPE)
    endif()
endfunction()
