# The Debian package, built by CPack from the install rules:
#
#     cmake --preset run && cmake --build --preset run --target package
#
# (or ./dev.sh package) writes build/run/kavrilon_<version>_<arch>.deb. The
# binary is stripped; the libraries it links give the dependencies
# (dpkg-shlibdeps), and the fonts and translations the program shows its
# texts with are added by hand, since no library check can see them.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kavrilon)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# The maintainer, the same as in data/debian/changelog.
set(CPACK_PACKAGE_CONTACT "Kavrilon maintainers <maintainers@kavrilon.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "colour picker that copies web colour codes")
set(CPACK_PACKAGE_DESCRIPTION
  "Kavrilon is a small desktop program with a Swedish user interface for\n"
  "people who write web pages. Pick a colour in a colour dialog and it shows\n"
  "the web colour code as six upper-case hexadecimal digits (orange is\n"
  "FF8000), ready to copy with one click or Ctrl+C.\n"
  "\n"
  "Around that it keeps a logbook of what happened, runs a playful simulated\n"
  "machine panel with a start sequence, a piston and air cylinders, offers a\n"
  "menu of shortcuts to desktop tools, and opens and closes the CD tray.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-liberation2, qt6-translations-l10n")
# xdg-open opens the web pages of the shortcut menu and the program's own page;
# Qt's Wayland plugin lets a Wayland desktop show the program natively rather
# than through Xwayland; gdbus asks the disk service to eject a mounted disc
# and logind to shut down.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-wayland, libglib2.0-bin")

include(CPack)
