# SPDX-License-Identifier: GPL-3.0-or-later
# `cpack -G DEB` in a build directory makes quorvin_<version>_amd64.deb from the install tree.
set(CPACK_PACKAGE_NAME quorvin)
set(CPACK_PACKAGE_VENDOR Tarnwick)
set(CPACK_PACKAGE_CONTACT "Quorvin developers <quorvin@tarnwick.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "rename many files and folders at once")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Quorvin lists a folder, shows beside every current name the new name that\n"
    "the chosen criteria give (regular expressions, replacements, case, removals,\n"
    "additions, dates from EXIF and ID3 data, numbering and more), and then\n"
    "renames, moves or copies the entries, with undo and an activity log. It comes\n"
    "with a desktop window, the qvn command line and a Quorvin Here entry for the\n"
    "file managers Dolphin, Nautilus, Nemo and Thunar.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The install code that writes the file-manager menus needs the final prefix, not the
# staging folder.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tarnwick.org/quorvin)
# Library dependencies come from dpkg-shlibdeps, never from a hand-written list.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)

include(CPack)
