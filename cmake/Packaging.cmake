# SPDX-License-Identifier: MIT
# Debian packages, made by `cpack -G DEB` in a Release build configured with
# -DCMAKE_INSTALL_PREFIX=/usr (scripts/make-packages.sh does both):
#   velocidad-ebs          the calculator with its desktop entry, icons,
#                          AppStream metadata, manual page, and the DialGauge
#                          library it runs on
#   qml6-module-dialgauge  the library's QML module (qmldir, plugin, type
#                          information) in Qt's import folder, named as Debian
#                          names QML modules; apart, so that neither the
#                          calculator nor widget users carry Qt Quick
#   libdialgauge-dev       what building against DialGauge needs: headers, CMake
#                          package, pkg-config file, the linker's link, and the
#                          Designer plugin; the library itself comes from the first
# Each depends on the Debian libraries that dpkg-shlibdeps finds for its
# binaries.
set(VELOCIDAD_PACKAGE velocidad-ebs)
set(DIALGAUGE_QML_PACKAGE qml6-module-dialgauge)
set(DIALGAUGE_DEV_PACKAGE libdialgauge-dev)

# Every package carries its copyright and changelog (Debian policy 12.5, 12.7).
foreach(package_component ${VELOCIDAD_PACKAGE}:Velocidad ${DIALGAUGE_QML_PACKAGE}:DialGauge_Qml
                          ${DIALGAUGE_DEV_PACKAGE}:DialGauge_Development)
  string(REPLACE ":" ";" pair ${package_component})
  list(GET pair 0 package)
  list(GET pair 1 component)
  install(FILES app/desktop/copyright ${PROJECT_BINARY_DIR}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${VELOCIDAD_PACKAGE})
set(CPACK_PACKAGE_VENDOR "Proyecto VelocidadEBS")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_HOMEPAGE_URL "https://velocidadebs.org/")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_BINARY_DIR}/packages)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ONE_PER_GROUP)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Proyecto VelocidadEBS <proyecto@velocidadebs.org>")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libDialGauge.so.1 lies in the build tree: shlibdeps takes it from there.
# Inside the calculator package that records nothing; the other two get
# "velocidad-ebs (= version)" from the shlibs file generated for it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR}/gauge)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY "=")
# The same, stated for the other two, so it does not depend on what this
# machine has installed.
configure_file(${CMAKE_CURRENT_LIST_DIR}/DebianShlibs.cmake.in ${PROJECT_BINARY_DIR}/DebianShlibs.cmake @ONLY)
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_BINARY_DIR}/DebianShlibs.cmake)

include(CPackComponent)
cpack_add_component_group(calculator DISPLAY_NAME "Velocidad")
cpack_add_component_group(qml DISPLAY_NAME "DialGauge QML module")
cpack_add_component_group(development DISPLAY_NAME "DialGauge development files")
cpack_add_component(Velocidad GROUP calculator)
cpack_add_component(DialGauge_Runtime GROUP calculator)
cpack_add_component(DialGauge_Qml GROUP qml)
cpack_add_component(DialGauge_Development GROUP development)

set(CPACK_DEBIAN_CALCULATOR_PACKAGE_NAME ${VELOCIDAD_PACKAGE})
set(CPACK_DEBIAN_CALCULATOR_PACKAGE_SECTION science)
# Descriptions: the first line is the synopsis; an empty line separates
# paragraphs (CPack indents and dots them as control files want).
set(CPACK_DEBIAN_CALCULATOR_DESCRIPTION
  "crush energy and equivalent barrier speed calculator
A Spanish-language desktop calculator for traffic-accident reconstruction.
From a vehicle's crush profile (crush width and six crush depths), its
stiffness coefficients A and B, the collision angle and the mass, it computes
the energy absorbed by the deformation (Campbell-McHenry) and the Equivalent
Barrier Speed in m/s and km/h, shown on an animated circular gauge.

The package also holds the DialGauge library that draws the gauge, and its
QML module, which brings the same gauge to Qt Quick (import DialGauge).")
# ldconfig runs from a trigger, as Debian wants for a package with a library.
set(CPACK_DEBIAN_CALCULATOR_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/app/desktop/triggers)

set(CPACK_DEBIAN_QML_PACKAGE_NAME ${DIALGAUGE_QML_PACKAGE})
set(CPACK_DEBIAN_QML_PACKAGE_SECTION libs)
# Importing the module needs QtQuick's own QML module.
set(CPACK_DEBIAN_QML_PACKAGE_DEPENDS qml6-module-qtquick)
set(CPACK_DEBIAN_QML_DESCRIPTION
  "animated circular gauge for Qt Quick - QML module
DialGauge shows one number on an anti-aliased, animated dial: a scale with
labels, a coloured arc and threshold band, value bands, a needle and a
seven-segment read-out, with ten colour presets.

This package holds the QML module DialGauge 1.0. Its item DialGauge is
drawn by the same code as the Qt Widgets control.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME ${DIALGAUGE_DEV_PACKAGE})
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS qt6-base-dev)
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION
  "animated circular gauge widget for Qt 6 - development files
DialGauge is a Qt Widgets control that shows one number on an anti-aliased,
animated dial: a scale with labels, a coloured arc and threshold band, value
bands, a needle and a seven-segment read-out, with ten colour presets.

This package holds the headers, the CMake package (DialGauge::DialGauge),
the pkg-config file and the Qt Designer plugin.")

# Last: CPack writes its configuration from the variables set above.
include(CPack)
