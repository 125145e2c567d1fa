# The Debian package: `cpack -G DEB` in the build folder (or scripts/package).
set(CPACK_PACKAGE_NAME kestrel)
set(CPACK_PACKAGE_VENDOR "Halvard")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Viewer for 3D models and 2D images")
set(CPACK_PACKAGE_DESCRIPTION [=[
Kestrel browses folders of 3D models and textures with thumbnails and opens
MS3D, MS3D ASCII, MD2, 3DS, STL, OFF and BVH models and TGA, PCX, CEL, BMP,
JPEG, PNG, GIF and DDS images. Models are drawn in several render modes with
their skeletons and animations, which can be played and recorded to video,
and can be converted to STL, MS3D ASCII and the native .kxm3 format.

The package also holds kestrel-cli, which prints, draws and converts files
without a display, and a file-manager thumbnailer for the model types.]=])
set(CPACK_PACKAGE_CONTACT "Kestrel developers <kestrel@halvard.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES OFF)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${KESTREL_BUILD_NUMBER})
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# FreeImage (GIF and block-compressed DDS) is loaded when first needed, so no binary names it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libfreeimage3")
# libnimbus and libtessera come with the package and belong to no other: dpkg-shlibdeps
# finds the staged copies through the relative run paths, and is told of the build's own
# copies (the same libraries) so that it never looks for a package providing them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${KESTREL_BIN_DIR})
include(CPack)
