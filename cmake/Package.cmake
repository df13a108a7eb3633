# The release package: cmake --build --preset mingw --target package writes
# Dorvane-<version>-win32.zip beside the build. An organisation's code-signing
# certificate, given at configure time, signs Dorvane.exe before it is packaged:
#   -DDORVANE_SIGN_PKCS12=<file.p12> -DDORVANE_SIGN_PASSWORD_FILE=<file>
#   [-DDORVANE_SIGN_TIMESTAMP_URL=<RFC 3161 server>]
set(DORVANE_SIGN_PKCS12 "" CACHE FILEPATH
    "Code-signing certificate and key (PKCS#12) that signs Dorvane.exe")
set(DORVANE_SIGN_PASSWORD_FILE "" CACHE FILEPATH "File holding the PKCS#12 password")
set(DORVANE_SIGN_TIMESTAMP_URL "" CACHE STRING
    "RFC 3161 timestamp server for the signature (optional)")

set(_sign_args)
set(_sign_inputs)
if(DORVANE_SIGN_PKCS12)
  find_program(DORVANE_OSSLSIGNCODE osslsigncode REQUIRED)
  if(NOT EXISTS "${DORVANE_SIGN_PKCS12}" OR NOT EXISTS "${DORVANE_SIGN_PASSWORD_FILE}")
    message(FATAL_ERROR "Signing needs DORVANE_SIGN_PKCS12 and DORVANE_SIGN_PASSWORD_FILE "
                        "to name existing files")
  endif()
  set(_sign_args -DPKCS12=${DORVANE_SIGN_PKCS12}
                 -DPASSWORD_FILE=${DORVANE_SIGN_PASSWORD_FILE}
                 -DOSSLSIGNCODE=${DORVANE_OSSLSIGNCODE}
                 -DTIMESTAMP_URL=${DORVANE_SIGN_TIMESTAMP_URL})
  set(_sign_inputs ${DORVANE_SIGN_PKCS12} ${DORVANE_SIGN_PASSWORD_FILE})
endif()

set(DORVANE_RELEASE_DIR ${CMAKE_BINARY_DIR}/release)
file(GLOB _demo_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/demo/Templates/*
     ${CMAKE_SOURCE_DIR}/demo/AltIcons/* ${CMAKE_SOURCE_DIR}/demo/Configs/*
     ${CMAKE_SOURCE_DIR}/docs/*.png)
add_custom_command(
  OUTPUT ${DORVANE_RELEASE_DIR}/SHA256SUMS
  COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:Dorvane> -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
          -DOUT=${DORVANE_RELEASE_DIR} ${_sign_args}
          -P ${CMAKE_CURRENT_LIST_DIR}/StageRelease.cmake
  DEPENDS Dorvane ${CMAKE_CURRENT_LIST_DIR}/StageRelease.cmake ${CMAKE_SOURCE_DIR}/README.md
          ${CMAKE_SOURCE_DIR}/LICENSE ${_demo_files} ${_sign_inputs}
  COMMENT "Laying out the release folder"
  VERBATIM)
add_custom_target(dorvane_release ALL DEPENDS ${DORVANE_RELEASE_DIR}/SHA256SUMS)

install(DIRECTORY ${DORVANE_RELEASE_DIR}/ DESTINATION . COMPONENT release)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Dorvane)
set(CPACK_PACKAGE_VENDOR Dorvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Dorvane-${PROJECT_VERSION}-win32)
# Only the release folder: nothing a test or library might install.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};Dorvane;release;/")
include(CPack)
