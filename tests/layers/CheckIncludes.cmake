# Fails when an include points the wrong way: a Qt header outside the Qt
# back end and the help viewer, or the dialogs, the program or a back end
# included by the rules (random, dictionary, game, scores) or by the
# framework's window-system-free vocabulary. The help viewer is a Qt program
# of its own, and so are the two dialogs that start-up is measured against.
# Usage: cmake -DSOURCE_DIR=<top of the sources> -P CheckIncludes.cmake
# Links are not followed: a Wine prefix in a build tree links to the whole
# file system.
cmake_policy(SET CMP0009 NEW)
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
set(faults "")
foreach(source IN LISTS sources)
    if(source MATCHES "^build/")
        continue()
    endif()
    file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
        if(line MATCHES "<Q[A-Za-z]" AND NOT source MATCHES "^(framework/qt|viewer|tests/help)/|^benchmarks/(EmptyDialog|LabelEditDialog)\\.cpp$")
            list(APPEND faults "${source}: Qt outside its back end: ${line}")
        endif()
        if(source MATCHES "^(random|dictionary|game|scores)/"
           AND line MATCHES "\"(ui|app|res|framework/qt|automation)/")
            list(APPEND faults "${source}: the rules reach up: ${line}")
        endif()
        if(source MATCHES "^framework/[^/]+$" AND line MATCHES "\"(ui|app|game|scores|framework/qt)/")
            list(APPEND faults "${source}: the vocabulary reaches up: ${line}")
        endif()
    endforeach()
endforeach()
if(faults)
    list(JOIN faults "\n" report)
    message(FATAL_ERROR "Includes that point the wrong way:\n${report}")
endif()
list(LENGTH sources count)
message(STATUS "${count} sources checked")
