# Helpers shared by every folder: program output places and the test wiring
# (native tests run directly, Windows tests through Wine as CTest's emulator).

# vantrel_platform_sources(out): the .cpp files of the calling folder for this platform:
# portable files everywhere, *_win32.cpp only for Windows, *_posix.cpp only elsewhere.
function(vantrel_platform_sources out)
    file(GLOB portable CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    list(FILTER portable EXCLUDE REGEX "_(win32|posix)\\.cpp$")
    if(WIN32)
        file(GLOB platform CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_win32.cpp)
    else()
        file(GLOB platform CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_posix.cpp)
    endif()
    set(${out} ${portable} ${platform} PARENT_SCOPE)
endfunction()

# vantrel_program(target): the program lands in out/<platform>/.
function(vantrel_program target)
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VANTREL_OUT_DIR})
endfunction()

# vantrel_small_program(target): the two shipped programs are built for size.
function(vantrel_small_program target)
    vantrel_program(${target})
    target_compile_options(${target} PRIVATE -Os -ffunction-sections -fdata-sections)
    target_link_options(${target} PRIVATE -Wl,--gc-sections -s -mwindows
        -Wl,-Map=${CMAKE_CURRENT_BINARY_DIR}/${target}.map)
endfunction()

if(NOT VANTREL_FUZZ)
    if(CMAKE_CROSSCOMPILING)
        # The Windows builds compile GoogleTest from Debian's sources with the cross compiler.
        set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
        set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
        set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
        add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    else()
        find_package(GTest REQUIRED)
    endif()
endif()

# vantrel_test(NAME name SOURCES ... [LIBS ...] [WINE_ONLY]): one GoogleTest program,
# registered with CTest. Under the Windows builds it runs through Wine.
function(vantrel_test)
    cmake_parse_arguments(T "WINE_ONLY" "NAME" "SOURCES;LIBS" ${ARGN})
    if(T_WINE_ONLY AND NOT WIN32)
        return()
    endif()
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest_main)
    target_include_directories(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR})
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    set_tests_properties(${T_NAME} PROPERTIES TIMEOUT 600)
endfunction()
