# Installation of both deliverables and the Debian package that ships them
# together: the setup program (its own rules in setup/app), the panel's plug-in
# bundle with pdehost, the sample PPD, the manual pages, the AppStream metadata
# and the documentation.
#
#   <libdir>/qvx/Onboarder.app/                  the setup program's bundle
#   <libdir>/qvx/pdehost                         the print-dialog host
#   <libdir>/qvx/pdehost-gui                     its window, which pdehost --gui runs
#   <libdir>/qvx/lib/libqvxtoolkit.so            their shared control model
#   <libdir>/qvx/TintPanel.plugin/               the panel's bundle
#   bin/qvx-onboarder, bin/pdehost               launchers
#   share/applications/*.desktop                 menu entries for both windows
#   share/metainfo/*.metainfo.xml                their AppStream metadata
#   share/man/man1/{qvx-onboarder,pdehost}.1.gz  manual pages
#   share/ppd/qvx/LX4200.ppd                     the printer's description
#   share/doc/qvx-printer/                       README, changelog and copyright
#
# pdehost finds the bundle beside itself and the toolkit library through its
# run path; the plug-in finds the library from its own folder. The library
# sits one folder below the programs so that the package needs no ldconfig
# run: only libraries directly in a library folder (or one below it) would.
include(GNUInstallDirs)

if(NOT (TARGET pdehost AND TARGET TintPanel AND TARGET qvx_toolkit))
  return()
endif()

set(QVX_PRIVATE_DIR "${CMAKE_INSTALL_LIBDIR}/qvx")
set_property(TARGET pdehost PROPERTY INSTALL_RPATH "$ORIGIN/lib")
set_property(TARGET TintPanel PROPERTY INSTALL_RPATH "$ORIGIN/../../../lib")

install(TARGETS pdehost RUNTIME DESTINATION "${QVX_PRIVATE_DIR}" COMPONENT panel)
if(TARGET pdehost-gui)
  set_property(TARGET pdehost-gui PROPERTY INSTALL_RPATH "$ORIGIN/lib")
  install(TARGETS pdehost-gui RUNTIME DESTINATION "${QVX_PRIVATE_DIR}" COMPONENT panel)
endif()
install(TARGETS qvx_toolkit LIBRARY DESTINATION "${QVX_PRIVATE_DIR}/lib" NAMELINK_SKIP COMPONENT panel)
install(TARGETS qvx_media LIBRARY DESTINATION "${QVX_PRIVATE_DIR}/lib" COMPONENT panel)
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

# Manual pages and the changelog go in compressed, as Debian has them: best
# compression, no name or time stamp in the header.
find_program(QVX_GZIP gzip REQUIRED)
set(QVX_COMPRESSED_DIR "${PROJECT_BINARY_DIR}/packaging/compressed")
set(QVX_COMPRESSED_FILES "")
foreach(source man/pdehost.1 man/qvx-onboarder.1 changelog)
  get_filename_component(name "${source}" NAME)
  add_custom_command(OUTPUT "${QVX_COMPRESSED_DIR}/${name}.gz"
    COMMAND ${CMAKE_COMMAND} -E copy "${PROJECT_SOURCE_DIR}/packaging/${source}" "${QVX_COMPRESSED_DIR}/${name}"
    COMMAND ${QVX_GZIP} -9nf "${QVX_COMPRESSED_DIR}/${name}"
    DEPENDS "${PROJECT_SOURCE_DIR}/packaging/${source}"
    COMMENT "Compressing ${name}"
    VERBATIM)
  list(APPEND QVX_COMPRESSED_FILES "${QVX_COMPRESSED_DIR}/${name}.gz")
endforeach()
add_custom_target(qvx_compressed_docs ALL DEPENDS ${QVX_COMPRESSED_FILES})

install(FILES "${QVX_COMPRESSED_DIR}/pdehost.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1" COMPONENT panel)
install(FILES "${PROJECT_SOURCE_DIR}/README.md" "${PROJECT_SOURCE_DIR}/packaging/copyright"
              "${QVX_COMPRESSED_DIR}/changelog.gz"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/qvx-printer" COMPONENT panel)
if(QVX_GUI)
  install(FILES "${PROJECT_SOURCE_DIR}/packaging/metainfo/com.qvx.PrintDialog.metainfo.xml"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo" COMPONENT panel)
endif()
# The setup program's page and metadata, beside its own rules' desktop entry.
if(TARGET Onboarder)
  install(FILES "${PROJECT_SOURCE_DIR}/packaging/offices.conf" DESTINATION /etc/qvx COMPONENT onboarder)
  install(FILES "${QVX_COMPRESSED_DIR}/qvx-onboarder.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1"
          COMPONENT onboarder)
  if(QVX_GUI)
    install(FILES "${PROJECT_SOURCE_DIR}/packaging/metainfo/com.qvx.Onboarder.metainfo.xml"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo" COMPONENT onboarder)
  endif()
endif()

# The Debian package: `cpack` in the build folder (or scripts/package).
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "qvx-printer")
set(CPACK_PACKAGE_VENDOR "QVX")
set(CPACK_PACKAGE_CONTACT "QVX printing team <printing@qvx.example>")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "setup program and print dialog for the QVX LX4200 colour printer")
# One text, its lines as they will stand in the package (under 80 characters):
# the lines of a list would be joined with semicolons.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Onboarder (qvx-onboarder) puts the office's QVX LX4200 colour production"
  "printer into service with CUPS: it asks for the office, the user's name and"
  "a code, and adds a print queue for that office's printer."
  ""
  "pdehost is a print dialog with the printer's Image Quality panel"
  "(TintPanel): it shows the panel in a window, or drives it from a script, and"
  "prints documents with its settings.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://qvx.example/printing/")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# Libraries from dpkg-shlibdeps; the tools the installer engine runs (bash as
# tested: an essential package is named only with a version) and the padlock
# icons the panel draws by name. PDF, text and image jobs need the filters of
# cups-filters on the machine that runs the queue.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS "${PROJECT_BINARY_DIR}/toolkit")
set(CPACK_DEBIAN_PACKAGE_DEPENDS "bash (>= 5.2), cups-client, adwaita-icon-theme")
# cups-pk-helper lets a person outside lpadmin add the printer after the
# desktop's password prompt.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups, cups-filters, cups-pk-helper")
# The administrator's list of offices survives upgrades as edited.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${PROJECT_SOURCE_DIR}/packaging/conffiles")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
# Stripped programs; their debug information goes to qvx-printer-dbgsym.
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Folders the installation creates are 0755 whatever the umask of the build.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)

# The manual pages against `pdehost --help`, the README and the setup
# program's options and page messages.
find_program(QVX_PYTHON3 python3)
if(QVX_PYTHON3 AND QVX_SANITIZE STREQUAL "")
  add_test(NAME manpages_in_step
           COMMAND ${QVX_PYTHON3} ${PROJECT_SOURCE_DIR}/packaging/tests/manpages_test.py ${PROJECT_SOURCE_DIR}
                   $<TARGET_FILE:pdehost>)
endif()

# The package, built and unpacked into a scratch root; both programs' headless
# front ends run from there. Sanitizer builds are not packaged.
if(QVX_GUI AND QVX_SANITIZE STREQUAL "" AND TARGET Onboarder)
  add_test(NAME package_install
           COMMAND ${PROJECT_SOURCE_DIR}/packaging/tests/package_install_test.sh ${PROJECT_BINARY_DIR})
  # It runs the real installer, which appends to the one installer log in /tmp.
  set_tests_properties(package_install PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77 RESOURCE_LOCK qvx_installer_log)
endif()
