# cmake -DCPACK_CONFIG=file -DWORK=folder -DVERSION=x.y -DAPP_ID=id -P check_deb.cmake
# Fails on the first thing wrong: the package is not built, lacks a file, its
# program does not start, its desktop entry is invalid, or lintian finds an error.
# A missing tool fails too, as a check that silently passes would hide a broken package.

function(run what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "${what} failed (${rc}):\n${out}\n${err}")
    endif()
    set(out "${out}" PARENT_SCOPE)
endfunction()

get_filename_component(cmake_dir ${CMAKE_COMMAND} DIRECTORY) # cpack sits beside cmake
foreach(tool cpack dpkg-deb dpkg-shlibdeps desktop-file-validate lintian)
    find_program(path_${tool} ${tool} HINTS ${cmake_dir})
    if(NOT path_${tool})
        message(FATAL_ERROR "${tool} is not installed; scripts/setup.sh test installs it.")
    endif()
endforeach()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
run("cpack" ${path_cpack} --config ${CPACK_CONFIG} -B ${WORK})

set(deb ${WORK}/pallisto_${VERSION}_amd64.deb)
if(NOT EXISTS ${deb})
    file(GLOB made ${WORK}/*.deb)
    message(FATAL_ERROR "expected ${deb}; cpack made: ${made}")
endif()

run("dpkg-deb -f" ${path_dpkg-deb} -f ${deb} Package Version Architecture Depends)
foreach(field "Package: pallisto" "Version: ${VERSION}" "Architecture: amd64" "libqt6widgets6")
    string(FIND "${out}" "${field}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the control file lacks \"${field}\":\n${out}")
    endif()
endforeach()

set(root ${WORK}/root)
run("dpkg-deb -x" ${path_dpkg-deb} -x ${deb} ${root})
foreach(file
        usr/bin/pallisto
        usr/share/applications/${APP_ID}.desktop
        usr/share/metainfo/${APP_ID}.metainfo.xml
        usr/share/icons/hicolor/scalable/apps/${APP_ID}.svg
        usr/share/icons/hicolor/48x48/apps/${APP_ID}.png
        usr/share/icons/hicolor/128x128/apps/${APP_ID}.png
        usr/share/icons/hicolor/256x256/apps/${APP_ID}.png
        usr/share/man/man1/pallisto.1.gz
        usr/share/doc/pallisto/copyright
        usr/share/doc/pallisto/changelog.gz)
    if(NOT EXISTS ${root}/${file})
        message(FATAL_ERROR "the package lacks /${file}")
    endif()
endforeach()

# Without a display: --version must answer before Qt looks for one.
run("the packaged pallisto --version"
    ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
    ${root}/usr/bin/pallisto --version)
if(NOT out STREQUAL "Pallisto ${VERSION}\n")
    message(FATAL_ERROR "the packaged pallisto --version printed \"${out}\"")
endif()

run("desktop-file-validate" ${path_desktop-file-validate}
    ${root}/usr/share/applications/${APP_ID}.desktop)

run("lintian" ${path_lintian} --fail-on error --no-tag-display-limit ${deb})
message("lintian:\n${out}")
