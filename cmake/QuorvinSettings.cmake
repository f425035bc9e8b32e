# SPDX-License-Identifier: GPL-3.0-or-later
# One target carries the compile settings every library, program and test shares.
add_library(quorvin_settings INTERFACE)
target_compile_features(quorvin_settings INTERFACE cxx_std_20)
target_compile_options(quorvin_settings INTERFACE
    -Wall -Wextra -Wpedantic -Werror -Wshadow -Wnon-virtual-dtor)
target_compile_definitions(quorvin_settings INTERFACE
    QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QUORVIN_VERSION="${PROJECT_VERSION}")

if(QVN_SANITIZE)
    target_compile_options(quorvin_settings INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(quorvin_settings INTERFACE -fsanitize=address,undefined)
endif()

# quorvin_add_library(NAME SOURCES... DEPENDS targets...)
function(quorvin_add_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC quorvin_settings ${ARG_DEPENDS})
endfunction()

# quorvin_add_test(NAME SOURCES... DEPENDS targets...): one Qt Test program, registered with CTest.
function(quorvin_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE quorvin_settings Qt6::Test ${ARG_DEPENDS})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
