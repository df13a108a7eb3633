# Lays out the release folder that the package holds: Dorvane.exe (signed when a
# certificate is given), the README with the pictures it links (docs/*.png), the
# LICENSE, the demo's application folders and SHA256SUMS of all of them. The build runs it before packaging; the signing test runs
# it on its own certificate.
#
#   cmake -DEXE=<built Dorvane.exe> -DSOURCE_DIR=<repo> -DOUT=<folder>
#         [-DPKCS12=<file.p12> -DPASSWORD_FILE=<file> -DOSSLSIGNCODE=<program>
#          -DTIMESTAMP_URL=<url>] -P StageRelease.cmake
foreach(var EXE SOURCE_DIR OUT)
  if(NOT DEFINED ${var} OR "${${var}}" STREQUAL "")
    message(FATAL_ERROR "StageRelease.cmake: ${var} is not set")
  endif()
endforeach()

# A stale file from an earlier layout must not reach the package or its checksums.
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})

if(PKCS12)
  set(ts_args)
  if(TIMESTAMP_URL)
    set(ts_args -ts ${TIMESTAMP_URL})
  endif()
  # The password comes from a file so that it never shows in a command line.
  execute_process(
    COMMAND ${OSSLSIGNCODE} sign -pkcs12 ${PKCS12} -readpass ${PASSWORD_FILE}
            -h sha256 -n Dorvane ${ts_args} -in ${EXE} -out ${OUT}/Dorvane.exe
    RESULT_VARIABLE signed OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT signed EQUAL 0)
    message(FATAL_ERROR "osslsigncode could not sign ${EXE}:\n${out}")
  endif()
else()
  file(COPY_FILE ${EXE} ${OUT}/Dorvane.exe)
endif()

file(COPY_FILE ${SOURCE_DIR}/README.md ${OUT}/README.md)
# Only the pictures the README shows, so that a stray file in docs/ does not ship.
file(READ ${SOURCE_DIR}/README.md readme)
string(REGEX MATCHALL "\\(docs/[^)]+\\.png\\)" links "${readme}")
foreach(link IN LISTS links)
  string(REGEX MATCH "docs/[^)]+" picture "${link}")
  file(MAKE_DIRECTORY ${OUT}/docs)
  file(COPY_FILE ${SOURCE_DIR}/${picture} ${OUT}/${picture})
endforeach()
file(COPY_FILE ${SOURCE_DIR}/LICENSE ${OUT}/LICENSE)
foreach(folder Templates AltIcons Configs)
  file(COPY ${SOURCE_DIR}/demo/${folder} DESTINATION ${OUT})
endforeach()

# In the format of sha256sum -c; the hashes are of the files as shipped, so of the
# signed program.
file(GLOB_RECURSE files RELATIVE ${OUT} ${OUT}/*)
list(SORT files)
set(sums "")
foreach(rel IN LISTS files)
  file(SHA256 ${OUT}/${rel} hash)
  string(APPEND sums "${hash}  ${rel}\n")
endforeach()
file(WRITE ${OUT}/SHA256SUMS "${sums}")
