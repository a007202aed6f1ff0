# Checks that the desktop file and the metainfo name the app id they are filed under,
# so a changed id cannot leave a launcher without its icon or a dangling launchable,
# and that the metainfo's release is the project's version.
#   cmake -DAPP_ID=id -DDATA_DIR=path -DMETAINFO=configured-file -DVERSION=x.y
#         -P check_app_id.cmake
function(expect what file wanted)
    file(READ ${file} text)
    string(FIND "${text}" "${wanted}" at)
    if(at EQUAL -1)
        message(SEND_ERROR "${what} does not name the app id ${APP_ID}")
    endif()
endfunction()

expect("the desktop file's Icon" ${DATA_DIR}/${APP_ID}.desktop "\nIcon=${APP_ID}\n")
expect("the metainfo's id" ${METAINFO} "<id>${APP_ID}</id>")
expect("the metainfo's launchable" ${METAINFO}
    ">${APP_ID}.desktop</launchable>")
expect("the metainfo's release" ${METAINFO} "<release version=\"${VERSION}\"")

foreach(path scalable/apps/${APP_ID}.svg 48x48/apps/${APP_ID}.png
        128x128/apps/${APP_ID}.png 256x256/apps/${APP_ID}.png)
    if(NOT EXISTS ${DATA_DIR}/icons/hicolor/${path})
        message(SEND_ERROR "the icon ${path} is missing")
    endif()
endforeach()
