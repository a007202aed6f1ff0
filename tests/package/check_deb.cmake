# Builds the package and fails on the first thing wrong with what a user would get. A
# missing tool fails too: a check that silently passed would hide a broken package.
function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "${ARGN} failed (${rc}):\n${out}\n${err}")
    endif()
    string(STRIP "${out}" out)
    set(out "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK})
run(${CMAKE_CPACK_COMMAND} --config ${CPACK_CONFIG} -B ${WORK})
run(dpkg --print-architecture) # the name carries the control file's package, version and arch
set(deb ${WORK}/pallisto_${VERSION}_${out}.deb)
run(dpkg-deb -f ${deb} Depends)
set(depends "${out}")
run(dpkg-deb -x ${deb} ${WORK})

# Each Qt library the program loads is in Depends, named as the package that holds it.
run(readelf -d ${WORK}/usr/bin/pallisto)
string(REGEX MATCHALL "libQt6[A-Za-z]*\\.so\\.[0-9]+" needed "${out}")
run(dpkg -S ${needed}) # "libqt6core6:amd64: /usr/lib/.../libQt6Core.so.6" a line; none fails
string(REGEX REPLACE ":[^\n]*" "" packages "${out}")
string(REPLACE "\n" ";" packages "${packages}")
foreach(package IN LISTS packages)
    if(NOT ", ${depends}," MATCHES ", ${package}[ ,]")
        message(FATAL_ERROR "Depends lacks ${package}: ${depends}")
    endif()
endforeach()

string(REPLACE "," ";" sizes "${ICON_SIZES}")
list(TRANSFORM sizes REPLACE "(.+)" "share/icons/hicolor/\\1x\\1/apps/${APP_ID}.png")
foreach(file bin/pallisto share/applications/${APP_ID}.desktop share/metainfo/${APP_ID}.metainfo.xml
        share/icons/hicolor/scalable/apps/${APP_ID}.svg ${sizes} share/man/man1/pallisto.1.gz
        share/doc/pallisto/copyright share/doc/pallisto/changelog.gz)
    if(NOT EXISTS ${WORK}/usr/${file})
        message(FATAL_ERROR "the package lacks /usr/${file}")
    endif()
endforeach()

# --version answers without a display, before Qt looks for one. The desktop file and the
# metainfo name the app id they are filed under, so a changed id cannot leave a launcher
# without its icon or a dangling launchable; the release is the project's version.
run(${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY ${WORK}/usr/bin/pallisto --version)
file(READ ${WORK}/usr/share/applications/${APP_ID}.desktop desktop)
file(READ ${WORK}/usr/share/metainfo/${APP_ID}.metainfo.xml metainfo)
foreach(wanted "version: Pallisto ${VERSION}\n" "\nIcon=${APP_ID}\n" "<id>${APP_ID}</id>"
        ">${APP_ID}.desktop</launchable>" "<release version=\"${VERSION}\"")
    string(FIND "version: ${out}\n${desktop}${metainfo}" "${wanted}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "\"${wanted}\" is not in: version: ${out}\n${desktop}${metainfo}")
    endif()
endforeach()
run(lintian --fail-on error --no-tag-display-limit ${deb})
