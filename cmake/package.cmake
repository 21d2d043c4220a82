# The Debian package of the installed tree, built by CPack (`make package`). dpkg-shlibdeps
# works out the libraries' packages from the programs themselves, so the dependencies follow
# whatever the build linked.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vellmoor)
set(CPACK_PACKAGE_VENDOR "The Vellmoor developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "two-dimensional physics puzzle game about water")
set(CPACK_PACKAGE_DESCRIPTION [=[
Each level is a scene of walls and platforms with a body of liquid in it:
hundreds of small particles that are water, ice or steam by their
temperature. Turn the whole view, and gravity turns with it, to bring
enough of the water to the level's end area.

Triggers heat, cool, push and kill the water, move platforms and switch
walls. With menus, a high-score table, a developer console, sound, music
and a launcher for the display settings.]=])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Vellmoor developers <maintainers@users.noreply.c-seed-2a81074c.example>")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# SDL opens the GL libraries itself when it makes a context (libGL.so.1 under X11, libEGL.so.1
# under Wayland), where dpkg-shlibdeps can't see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1, libegl1")
# Zstandard at its default level: the package builds in a fraction of a second more than its
# contents take to copy (xz packs it about a third smaller but takes seconds longer), and
# dpkg and apt on bookworm read it.
set(CPACK_DEBIAN_COMPRESSION_TYPE zstd)

# Installing and packaging build nothing themselves: `make package` builds vmr_installable
# first, and the tests and benchmarks that `all` holds stay unbuilt.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
include(CPack)
