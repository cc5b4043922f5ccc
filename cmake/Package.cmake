# The Debian package (cpack -G DEB in a build tree): tq4800_<version>_<arch>.deb, with its
# library dependencies worked out by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tq4800)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Veltrane Instruments Ltd")
set(CPACK_PACKAGE_CONTACT "TQ4800 developers <tq4800@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "control and analysis program of the TQ4800 EMC spectrum analyser")
# The summary above is its first line; an empty line parts paragraphs.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "The TQ4800 is a compact spectrum analyser for EMC pre-compliance testing.
This program drives it over a serial port, so that an engineer can measure
the radio-frequency emissions of a product, conducted on its mains lead or
radiated, and compare them with the limits of the emission standards
before the product goes to a test house.

It sweeps 10 kHz to 1.1 GHz with the peak, average and quasi-peak
detectors, corrects every level for the antenna, probe, clamp, LISN or TEM
cell in use, keeps Current, Store, Difference, Archive and Limit traces,
and draws the limit lines of EN55011, EN55013, EN55014, EN55015, EN55022,
EN55025, EN60945, EN50081, the Australian/NZ standards, FCC Part 15 and
limits of the user's own. It calibrates a test site with an emissions
reference source, saves and prints results, and guides the user from a
standard to a configured analyser.

tq4800 --simulate and tq4800-sim provide a simulated analyser for
learning and demonstration without the hardware.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The fonts the window and the report ask for by name ("Arial", "Times New Roman") have
# metric-compatible stand-ins there.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation")
set(CPACK_STRIP_FILES ON)
include(CPack)
