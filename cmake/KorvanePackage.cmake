# The Debian package, made by CPack from the install rules (scripts/package.sh runs it).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Korvane team <team@korvane.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "argument assistant: build a line of argumentation, see what is justified")
set(CPACK_PACKAGE_DESCRIPTION
    "Korvane helps people who reason for a living or learn to, such as lawyers,
philosophers, teachers and their students, build a line of argumentation move
by move: state an issue or an assumption, connect a reason to a conclusion,
add an exception that blocks a connection. After every move it evaluates the
whole argumentation and shows which statements are justified, as text and as
diagrams drawn with colours, line styles and icons.
.
The package holds the program, the headless korvane-cli (evaluation,
explanations, deletions, AIF, Argdown, DOT, GraphML and ASPIC+ exchange,
diagrams as PNG, SVG and PDF), a guide and a gallery of classic arguments.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://korvane.org/")
# The libraries come from dpkg-shlibdeps; what it cannot see is named here: Qt's X11 platform
# plugin, loaded at run time, and the diagrams' fonts (the extra one holds the oblique face).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core, fonts-dejavu-extra")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
