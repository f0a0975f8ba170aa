# cmake -DBUILD_DIR=… -DPREFIX=… -DVERSION=… -P install_test.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
    RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected
    bin/mako
    bin/mako-cli
    share/applications/com.quorin.mako.desktop
    share/metainfo/com.quorin.mako.metainfo.xml
    share/icons/hicolor/scalable/apps/com.quorin.mako.svg
    share/doc/mako/chai/LICENSE)
foreach(size 16 22 24 32 48 64 128 256 512)
    list(APPEND expected share/icons/hicolor/${size}x${size}/apps/com.quorin.mako.png)
endforeach()
foreach(file IN LISTS expected)
    if(NOT EXISTS ${PREFIX}/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()

# The installed metainfo names the version the programs print.
file(READ ${PREFIX}/share/metainfo/com.quorin.mako.metainfo.xml metainfo)
if(NOT metainfo MATCHES "release version=\"${VERSION}\"")
    message(FATAL_ERROR "the metainfo does not name version ${VERSION}")
endif()
foreach(program mako-cli mako)
    execute_process(COMMAND ${PREFIX}/bin/${program} --version
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
    if(NOT result EQUAL 0 OR NOT output STREQUAL "${program} ${VERSION}\n")
        message(FATAL_ERROR "${program} --version gave ${result}: '${output}' ${errors}")
    endif()
endforeach()
file(REMOVE_RECURSE ${PREFIX})
