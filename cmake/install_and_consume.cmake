# Installs the build into a fresh prefix and uses that copy from outside the tree: the quick
# start built as a project of its own with find_package(Qvplot2D 1.0), run; pkg-config's flags;
# the installed qvplot's version. Any step that fails fails the test.
# Arguments: BUILD (the build folder), SOURCE (examples/quickstart), WORK (a scratch folder),
# VERSION (the project's version), GENERATOR.

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE Result OUTPUT_VARIABLE Output
                    ERROR_VARIABLE Output)
    if(NOT Result EQUAL 0)
        message(FATAL_ERROR "${ARGN}\nfailed (${Result}):\n${Output}")
    endif()
    set(Output "${Output}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK})
set(Prefix ${WORK}/prefix)
run(${CMAKE_COMMAND} --install ${BUILD} --prefix ${Prefix})

run(${CMAKE_COMMAND} -S ${SOURCE} -B ${WORK}/quickstart -G ${GENERATOR}
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH=${Prefix})
run(${CMAKE_COMMAND} --build ${WORK}/quickstart)
run(${CMAKE_COMMAND} -E chdir ${WORK}/quickstart
    ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${WORK}/quickstart/quickstart)
foreach(File chart.png chart.svg)
    if(NOT EXISTS ${WORK}/quickstart/${File})
        message(FATAL_ERROR "The quick start built against the installed copy wrote no ${File}")
    endif()
endforeach()

file(GLOB PcFolders ${Prefix}/lib*/pkgconfig ${Prefix}/lib/*/pkgconfig)
run(${CMAKE_COMMAND} -E env "PKG_CONFIG_PATH=${PcFolders}" pkg-config --modversion qvplot2d)
set(Described "${Output}")
run(${CMAKE_COMMAND} -E env "PKG_CONFIG_PATH=${PcFolders}" pkg-config --cflags --libs qvplot2d)
string(APPEND Described "${Output}")
string(REGEX MATCH "-I([^ \n]*/qvplot2d)[ \n]" Include "${Described}")
if(NOT Described MATCHES "^${VERSION}\n" OR NOT EXISTS "${CMAKE_MATCH_1}/qvplot2d.h"
   OR NOT Described MATCHES "-lqvplot2d")
    message(FATAL_ERROR "pkg-config describes the installed copy wrongly:\n${Described}")
endif()

run(${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${Prefix}/bin/qvplot --version)
if(NOT Output STREQUAL "qvplot ${VERSION}\n")
    message(FATAL_ERROR "The installed qvplot reports \"${Output}\", not version ${VERSION}")
endif()
