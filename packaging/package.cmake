# `make package` (or `cmake --build BUILD --target package`): a Debian package of what
# `cmake --install` installs: qtb, qtb-solve, the model box qtb-model-box, the desktop entry and the icons.
# Its dependencies come from dpkg-shlibdeps (package dpkg-dev) over the installed programs.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qtb)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Seed e127fc4e maintainers <maintainers@users.noreply.c-seed-e127fc4e.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "linear programs solved by the big-M simplex method, table by table")
set(CPACK_PACKAGE_DESCRIPTION
    "QTB solves linear programs by the big-M simplex method and writes every\n"
    "simplex table to a report. The desktop program qtb (Qt 6, Russian interface)\n"
    "edits a problem and shows its solution, the command-line tool qtb-solve\n"
    "solves problem files.\n"
    "License: GPL-3.0-or-later.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own dialog texts in Russian; the program runs without them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
include(CPack)
