# Installation of both deliverables and the Debian package that ships them
# together: the setup program (its own rules in setup/app), the panel's plug-in
# bundle with pdehost, the sample PPD and the documentation.
#
#   <libdir>/qvx/Onboarder.app/                  the setup program's bundle
#   <libdir>/qvx/pdehost                         the print-dialog host
#   <libdir>/qvx/libqvxtoolkit.so                their shared control model
#   <libdir>/qvx/TintPanel.plugin/               the panel's bundle
#   bin/qvx-onboarder, bin/pdehost               launchers
#   share/applications/*.desktop                 menu entries for both windows
#   share/ppd/qvx/LX4200.ppd                     the printer's description
#   share/doc/qvx-printer/                       README and copyright
#
# pdehost finds the bundle beside itself and the toolkit library through its
# run path; the plug-in finds the library three folders above its own.
include(GNUInstallDirs)

if(NOT (TARGET pdehost AND TARGET TintPanel AND TARGET qvx_toolkit))
  return()
endif()

set(QVX_PRIVATE_DIR "${CMAKE_INSTALL_LIBDIR}/qvx")
set_property(TARGET pdehost PROPERTY INSTALL_RPATH "$ORIGIN")
set_property(TARGET TintPanel PROPERTY INSTALL_RPATH "$ORIGIN/../../..")

install(TARGETS pdehost RUNTIME DESTINATION "${QVX_PRIVATE_DIR}" COMPONENT panel)
install(TARGETS qvx_toolkit LIBRARY DESTINATION "${QVX_PRIVATE_DIR}" NAMELINK_SKIP COMPONENT panel)
install(TARGETS TintPanel LIBRARY DESTINATION "${QVX_PRIVATE_DIR}/TintPanel.plugin/Contents/MacOS" COMPONENT panel)
install(DIRECTORY "${PROJECT_SOURCE_DIR}/panel/resources/" DESTINATION "${QVX_PRIVATE_DIR}/TintPanel.plugin/Contents/Resources"
        COMPONENT panel)
install(FILES "${PROJECT_SOURCE_DIR}/panel/resources/LX4200.ppd" DESTINATION "${CMAKE_INSTALL_DATADIR}/ppd/qvx"
        COMPONENT panel)

file(RELATIVE_PATH QVX_LAUNCHER_TO_PDEHOST "/${CMAKE_INSTALL_BINDIR}" "/${QVX_PRIVATE_DIR}/pdehost")
configure_file("${PROJECT_SOURCE_DIR}/packaging/pdehost.in" "${PROJECT_BINARY_DIR}/packaging/pdehost" @ONLY)
install(PROGRAMS "${PROJECT_BINARY_DIR}/packaging/pdehost" DESTINATION "${CMAKE_INSTALL_BINDIR}" COMPONENT panel)
if(QVX_GUI)
  configure_file("${PROJECT_SOURCE_DIR}/packaging/com.qvx.PrintDialog.desktop.in"
                 "${PROJECT_BINARY_DIR}/packaging/com.qvx.PrintDialog.desktop" @ONLY)
  install(FILES "${PROJECT_BINARY_DIR}/packaging/com.qvx.PrintDialog.desktop"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/applications" COMPONENT panel)
endif()

install(FILES "${PROJECT_SOURCE_DIR}/README.md" "${PROJECT_SOURCE_DIR}/packaging/copyright"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/qvx-printer" COMPONENT panel)

# The Debian package: `cpack` in the build folder (or scripts/package).
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "qvx-printer")
set(CPACK_PACKAGE_VENDOR "QVX")
set(CPACK_PACKAGE_CONTACT "QVX printing team <printing@qvx.example>")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Setup program and print options for the QVX LX4200 colour printer")
# One text: the lines of a list would be joined with semicolons.
set(CPACK_PACKAGE_DESCRIPTION "Onboarder puts the office's QVX LX4200 colour production printer into service \
with CUPS.\npdehost shows the printer's Image Quality print-dialog panel (TintPanel) in a window, or drives \
it from a script, and prints with its settings.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# Libraries from dpkg-shlibdeps; the tools the installer engine runs and the
# padlock icons the panel draws by name.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS "${PROJECT_BINARY_DIR}/toolkit")
set(CPACK_DEBIAN_PACKAGE_DEPENDS "bash, cups-client, adwaita-icon-theme")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
include(CPack)

# The package, built and unpacked into a scratch root; both programs' headless
# front ends run from there. Sanitizer builds are not packaged.
if(QVX_GUI AND QVX_SANITIZE STREQUAL "" AND TARGET Onboarder)
  add_test(NAME package_install
           COMMAND ${PROJECT_SOURCE_DIR}/packaging/tests/package_install_test.sh ${PROJECT_BINARY_DIR})
  set_tests_properties(package_install PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77)
endif()
