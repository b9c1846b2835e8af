# Installing the framework and the package: libraries with versioned names, their
# headers (flat, as the sources include them), the form tool, the CMake helpers, a CMake
# package (find_package(XelGlotta CONFIG)) and a pkg-config file.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(XEL_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/xel)
set(XEL_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/XelGlotta)
# Installed programs find the installed libraries in the prefix, or beside them in the
# single folder the installer fills.
set(CMAKE_INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}" "$ORIGIN")

# xel_package_library(target EXPORT_NAME name [HEADER_DIRS dir...] [HEADERS file...]):
# the target's public headers come from the folders (all their headers) or the files
# named; the library is installed and exported as XelGlotta::<name>, and the same name
# is an alias inside the build, so that consumers write the same line either way.
function(xel_package_library target)
  cmake_parse_arguments(P "" "EXPORT_NAME" "HEADER_DIRS;HEADERS" ${ARGN})
  set_target_properties(${target} PROPERTIES EXPORT_NAME ${P_EXPORT_NAME})
  get_target_property(type ${target} TYPE)
  if(NOT type STREQUAL "INTERFACE_LIBRARY")
    set_target_properties(${target} PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
  endif()
  set(headers ${P_HEADERS})
  foreach(dir ${P_HEADER_DIRS})
    target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${dir}>)
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.h)
    list(APPEND headers ${found})
  endforeach()
  foreach(header ${P_HEADERS})
    get_filename_component(dir ${header} DIRECTORY)
    target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${dir}>)
  endforeach()
  target_include_directories(${target} INTERFACE $<INSTALL_INTERFACE:${XEL_INSTALL_INCLUDEDIR}>)
  install(TARGETS ${target} EXPORT XelGlottaTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  if(headers)
    install(FILES ${headers} DESTINATION ${XEL_INSTALL_INCLUDEDIR})
  endif()
  add_library(XelGlotta::${P_EXPORT_NAME} ALIAS ${target})
endfunction()

# The export set, the package files and the pkg-config file; called once every library
# and program of the package has been declared.
function(xel_install_package)
  install(EXPORT XelGlottaTargets NAMESPACE XelGlotta:: DESTINATION ${XEL_INSTALL_CMAKEDIR})
  configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/XelGlottaConfig.cmake.in
    ${PROJECT_BINARY_DIR}/XelGlottaConfig.cmake INSTALL_DESTINATION ${XEL_INSTALL_CMAKEDIR})
  write_basic_package_version_file(${PROJECT_BINARY_DIR}/XelGlottaConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
  install(FILES ${PROJECT_BINARY_DIR}/XelGlottaConfig.cmake ${PROJECT_BINARY_DIR}/XelGlottaConfigVersion.cmake
    ${PROJECT_SOURCE_DIR}/cmake/XelResources.cmake ${PROJECT_SOURCE_DIR}/cmake/EmbedResource.cmake
    DESTINATION ${XEL_INSTALL_CMAKEDIR})
  configure_file(${PROJECT_SOURCE_DIR}/cmake/xelglotta.pc.in ${PROJECT_BINARY_DIR}/xelglotta.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/xelglotta.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endfunction()
