# The library for C++ programs: the public headers under include/pellor (by
# their path from the repository root, as the sources include them), the
# static libraries, a CMake package (find_package(Pellor)) with the targets
# Pellor::lottie and Pellor::lottie_views, and a pkg-config file (pellor-lottie)
# for the library without Qt.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(PELLOR_LIBRARIES lottie lottie_zip pellor_json pellor_foundation pellor_graphics pellor_text pellor_compositor)
install(TARGETS ${PELLOR_LIBRARIES} lottie_views EXPORT PellorTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(DIRECTORY Lottie Platform DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/pellor
  FILES_MATCHING PATTERN "*.h")

set(PELLOR_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Pellor)
install(EXPORT PellorTargets NAMESPACE Pellor:: DESTINATION ${PELLOR_CMAKE_DIR})
configure_package_config_file(cmake/PellorConfig.cmake.in "${PROJECT_BINARY_DIR}/PellorConfig.cmake"
  INSTALL_DESTINATION ${PELLOR_CMAKE_DIR})
write_basic_package_version_file("${PROJECT_BINARY_DIR}/PellorConfigVersion.cmake"
  COMPATIBILITY SameMinorVersion)
install(FILES "${PROJECT_BINARY_DIR}/PellorConfig.cmake" "${PROJECT_BINARY_DIR}/PellorConfigVersion.cmake"
  DESTINATION ${PELLOR_CMAKE_DIR})

# Relocatable: the prefix is found from where the file lies, so an install
# into another prefix (cmake --install --prefix) stays correct.
file(RELATIVE_PATH PELLOR_PC_TO_PREFIX "/prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/prefix")
configure_file(cmake/pellor-lottie.pc.in "${PROJECT_BINARY_DIR}/pellor-lottie.pc" @ONLY)
install(FILES "${PROJECT_BINARY_DIR}/pellor-lottie.pc" DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
