# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that dependencies point down: every #include "…" of a source file under ROOT
# names a header of its own folder or of a folder it may see. Run as
#   cmake -DROOT=<src folder> -P CheckLayers.cmake
# and fails with one line per include that points up or sideways.
cmake_minimum_required(VERSION 3.25)

# The core, lowest layer first: each folder sees the folders before it.
set(core_layers platform filelist engine rename app/settings app/session)
# Front ends see the whole core and themselves, never another front end.
set(front_ends cli app/ui)
# Programs that stand alone see only themselves.
set(standalone shellext)
set(all_folders ${core_layers} ${front_ends} ${standalone})

if(NOT DEFINED ROOT OR NOT IS_DIRECTORY "${ROOT}")
    message(FATAL_ERROR "CheckLayers: ROOT must name the source folder")
endif()

# The known folder a relative path lies in (the longest match), or empty.
function(folder_of path out)
    set(found "")
    foreach(folder IN LISTS all_folders)
        string(LENGTH "${folder}" length)
        string(LENGTH "${found}" found_length)
        if(path MATCHES "^${folder}/" AND length GREATER found_length)
            set(found "${folder}")
        endif()
    endforeach()
    set(${out} "${found}" PARENT_SCOPE)
endfunction()

function(may_see from to out)
    set(allowed FALSE)
    if(from STREQUAL to)
        set(allowed TRUE)
    elseif(from IN_LIST front_ends)
        if(to IN_LIST core_layers)
            set(allowed TRUE)
        endif()
    elseif(from IN_LIST core_layers AND to IN_LIST core_layers)
        list(FIND core_layers "${from}" from_rank)
        list(FIND core_layers "${to}" to_rank)
        if(to_rank LESS from_rank)
            set(allowed TRUE)
        endif()
    endif()
    set(${out} ${allowed} PARENT_SCOPE)
endfunction()

set(faults "")
file(GLOB_RECURSE sources RELATIVE "${ROOT}" "${ROOT}/*.h" "${ROOT}/*.cpp")
foreach(source IN LISTS sources)
    folder_of("${source}" from)
    if(from STREQUAL "")
        list(APPEND faults "${source} lies in no known layer (add its folder to CheckLayers)")
        continue()
    endif()
    get_filename_component(source_dir "${ROOT}/${source}" DIRECTORY)
    file(STRINGS "${ROOT}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" header "${line}")
        if(EXISTS "${source_dir}/${header}")
            # Beside the including file: its own folder (or a folder below it).
            get_filename_component(resolved "${source_dir}/${header}" ABSOLUTE)
            file(RELATIVE_PATH header "${ROOT}" "${resolved}")
        endif()
        folder_of("${header}" to)
        if(to STREQUAL "")
            if(NOT header MATCHES "/")
                continue() # generated beside the file (moc, ui) or a system-like header
            endif()
            list(APPEND faults "${source} includes ${header}, which lies in no known layer")
            continue()
        endif()
        may_see("${from}" "${to}" allowed)
        if(NOT allowed)
            list(APPEND faults "${source} includes ${header}: ${from} may not see ${to}")
        endif()
    endforeach()
endforeach()

if(faults)
    list(JOIN faults "\n" text)
    message(FATAL_ERROR "Includes against the layer rule:\n${text}")
endif()
