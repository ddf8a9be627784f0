# Installs the library into fresh prefixes and uses each copy from outside the tree: the build
# at hand as configured, and a shared-library build of the same sources. Against each, the quick
# start and the form example are built as projects of their own with find_package(Qvplot2D 1.0)
# and run; pkg-config's flags and the installed qvplot's version are checked. Any step that fails
# fails the test.
# Arguments: BUILD (the build folder), SOURCE (the source tree), WORK (a scratch folder),
# VERSION (the project's version), GENERATOR.

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE Result OUTPUT_VARIABLE Output
                    ERROR_VARIABLE Output)
    if(NOT Result EQUAL 0)
        message(FATAL_ERROR "${ARGN}\nfailed (${Result}):\n${Output}")
    endif()
    set(Output "${Output}" PARENT_SCOPE)
endfunction()

# Builds the example in folder Example against Prefix into Into and runs it there with Arguments.
function(consume_example Prefix Example Into)
    run(${CMAKE_COMMAND} -S ${SOURCE}/examples/${Example} -B ${Into} -G ${GENERATOR}
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH=${Prefix})
    run(${CMAKE_COMMAND} --build ${Into})
    run(${CMAKE_COMMAND} -E chdir ${Into}
        ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${Into}/${Example} ${ARGN})
endfunction()

function(consume Prefix)
    consume_example(${Prefix} quickstart ${Prefix}-quickstart)
    foreach(File chart.png chart.svg)
        if(NOT EXISTS ${Prefix}-quickstart/${File})
            message(FATAL_ERROR "The quick start built against ${Prefix} wrote no ${File}")
        endif()
    endforeach()
    # A form from Qt Designer, compiled by uic against the installed widgets.
    consume_example(${Prefix} form ${Prefix}-form form.png)

    file(GLOB PcFolders ${Prefix}/lib*/pkgconfig ${Prefix}/lib/*/pkgconfig)
    run(${CMAKE_COMMAND} -E env "PKG_CONFIG_PATH=${PcFolders}" pkg-config --modversion qvplot2d)
    set(Described "${Output}")
    run(${CMAKE_COMMAND} -E env "PKG_CONFIG_PATH=${PcFolders}" pkg-config --cflags --libs qvplot2d)
    string(APPEND Described "${Output}")
    string(REGEX MATCH "-I([^ \n]*/qvplot2d)[ \n]" Include "${Described}")
    if(NOT Described MATCHES "^${VERSION}\n" OR NOT EXISTS "${CMAKE_MATCH_1}/qvplot2d.h"
       OR NOT Described MATCHES "-lqvplot2d")
        message(FATAL_ERROR "pkg-config describes ${Prefix} wrongly:\n${Described}")
    endif()

    run(${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${Prefix}/bin/qvplot --version)
    if(NOT Output STREQUAL "qvplot ${VERSION}\n")
        message(FATAL_ERROR "The qvplot of ${Prefix} reports \"${Output}\", not version ${VERSION}")
    endif()
endfunction()

file(REMOVE_RECURSE ${WORK})
run(${CMAKE_COMMAND} --install ${BUILD} --prefix ${WORK}/prefix)
consume(${WORK}/prefix)

# The shared library, built without optimisation to save time: only how it installs and links
# is tested here.
run(${CMAKE_COMMAND} -S ${SOURCE} -B ${WORK}/shared -G ${GENERATOR} -DBUILD_SHARED_LIBS=ON
    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O0 -DQVPLOT2D_BUILD_TESTS=OFF
    -DQVPLOT2D_BUILD_EXAMPLES=OFF -DQVPLOT2D_BUILD_BENCHMARKS=OFF)
run(${CMAKE_COMMAND} --build ${WORK}/shared)
run(${CMAKE_COMMAND} --install ${WORK}/shared --prefix ${WORK}/shared-prefix)
file(GLOB_RECURSE Archives ${WORK}/shared-prefix/*.a)
file(GLOB_RECURSE SharedObjects ${WORK}/shared-prefix/lib*/libqvplot2d.so.${VERSION})
if(Archives OR NOT SharedObjects)
    message(FATAL_ERROR "The shared build installed no shared library:\n${Archives}")
endif()
consume(${WORK}/shared-prefix)
# Designer finds the library from the plugin's own place.
file(GLOB_RECURSE Plugin ${WORK}/shared-prefix/libqvplot2d_designer.so)
if(NOT Plugin)
    message(FATAL_ERROR "The shared build installed no Designer plugin")
endif()
run(ldd ${Plugin})
if(Output MATCHES "not found")
    message(FATAL_ERROR "The installed Designer plugin misses a library:\n${Output}")
endif()
