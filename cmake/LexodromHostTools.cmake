# A cross build runs tools of its own while it builds: dictionaryText and
# sixpackEncode make the dictionary blob. They are built from this same
# source tree for the build machine, as a project of their own beside the
# cross build, so that the blob is byte for byte the one a native build
# makes. The rest of the build finds them through LEXODROM_TOOL_<name>.
include(ExternalProject)

set(host_tools_dir ${PROJECT_BINARY_DIR}/host-tools)
set(host_tools sixpackEncode dictionaryText)
set(host_tool_files)
foreach(tool IN LISTS host_tools)
    set(LEXODROM_TOOL_${tool} ${host_tools_dir}/tools/${tool})
    list(APPEND host_tool_files ${LEXODROM_TOOL_${tool}})
endforeach()

ExternalProject_Add(lexodrom_host_tools
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${host_tools_dir}
    CMAKE_ARGS -DLEXODROM_HOST_TOOLS=ON
               -DCMAKE_BUILD_TYPE=Release
               -DLEXODROM_WERROR=${LEXODROM_WERROR}
    BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target ${host_tools}
    INSTALL_COMMAND ""
    # Its own build decides whether a tool is out of date.
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${host_tool_files})
