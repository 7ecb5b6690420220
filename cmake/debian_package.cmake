# `cpack -G DEB` packages what `cmake --install` puts under /usr. The
# libraries come from dpkg-shlibdeps; Qt's Chinese texts, which the program
# loads whatever the locale, come from a package no library names.
set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VERSION ${QUORVEL_VERSION_TEXT})
set(CPACK_PACKAGE_CONTACT "Quorvel maintainers <maintainers@quorvel.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Mean, deviations and RSD of a series of measurements")
# Its lines stay within 80 columns, as Debian's tools want them.
set(CPACK_PACKAGE_DESCRIPTION "A small desktop calculator for lab data with a Simplified Chinese
interface: paste a series of measured numbers, set a precision, and get the
mean, the average deviation, the relative average deviation, the standard
deviation and the RSD.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-translations-l10n)
# The Song face the captions ask for; without a CJK face they show boxes.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-noto-cjk)
include(CPack)
