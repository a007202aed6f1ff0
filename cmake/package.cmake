# `make package` (cpack -G DEB): build/pallisto_<version>_amd64.deb, installed under
# /usr. dpkg-shlibdeps finds the Qt libraries the binary links, so the dependencies
# follow the libraries actually used.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pallisto)
set(CPACK_PACKAGE_VENDOR "The Pallisto team")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "find the document whose proportions come closest to a new size")
# Lines under 80 columns, as Debian's tools show them; no double quotes, which
# CPack does not pass through to the control file.
set(CPACK_PACKAGE_DESCRIPTION
    "Pallisto is for people who make the same poster, flyer or advertisement
in many sizes and keep the size in each file's name, such as
'poster 50x70.pdf'. Drop the finished documents onto its list and type the
new width and height: Pallisto picks the document whose proportions are
closest to the new size and tells by how much to scale it. It then opens
that document, or a copy named for the new size.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${PALLISTO_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Opening a document hands it to xdg-open.
set(CPACK_DEBIAN_PACKAGE_DEPENDS xdg-utils)
# A native window under Wayland, and the GTK theme on GNOME desktops.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-gtk-platformtheme")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
include(CPack)
