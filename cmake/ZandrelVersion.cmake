# The project version and the git revision the build was configured from, as a generated header for --version.
# Outside a git checkout (a source archive) the revision reads "unknown". A new commit configures again, so the
# header follows the checkout.
find_package(Git QUIET)
set(ZANDREL_REVISION "unknown")
if(GIT_FOUND)
    execute_process(COMMAND "${GIT_EXECUTABLE}" rev-parse --short HEAD
                    WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
                    OUTPUT_VARIABLE revision OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE failed ERROR_QUIET)
    execute_process(COMMAND "${GIT_EXECUTABLE}" rev-parse --absolute-git-dir
                    WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
                    OUTPUT_VARIABLE gitFolder OUTPUT_STRIP_TRAILING_WHITESPACE
                    ERROR_QUIET)
    if(NOT failed AND revision)
        set(ZANDREL_REVISION "${revision}")
        if(EXISTS "${gitFolder}/logs/HEAD")
            set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${gitFolder}/logs/HEAD")
        endif()
    endif()
endif()
configure_file("${PROJECT_SOURCE_DIR}/src/app/Version.h.in" "${PROJECT_BINARY_DIR}/generated/app/Version.h" @ONLY)
