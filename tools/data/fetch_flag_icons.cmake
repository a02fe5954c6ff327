# Fetches the pinned version of the flag-icons package from the npm registry and unpacks its 4:3
# flags. Run with cmake -P and -DNPM=, -DVERSION=, -DSHA512= (of the package tarball), -DDEST=
# (the folder to work in) and -DSTAMP= (touched when done). A tarball already there with the
# right checksum is used again, so only the first build needs the registry.

set(tarball "${DEST}/flag-icons-${VERSION}.tgz")
set(have "")
if(EXISTS "${tarball}")
  file(SHA512 "${tarball}" have)
endif()
if(NOT have STREQUAL SHA512)
  file(REMOVE "${tarball}")
  file(MAKE_DIRECTORY "${DEST}")
  execute_process(
    COMMAND "${NPM}" pack "flag-icons@${VERSION}" --pack-destination "${DEST}" --silent
    WORKING_DIRECTORY "${DEST}"
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0 OR NOT EXISTS "${tarball}")
    message(FATAL_ERROR "npm could not fetch flag-icons@${VERSION} (${result})")
  endif()
  file(SHA512 "${tarball}" have)
  if(NOT have STREQUAL SHA512)
    file(REMOVE "${tarball}")
    message(FATAL_ERROR "flag-icons-${VERSION}.tgz does not have the expected checksum")
  endif()
endif()

file(REMOVE_RECURSE "${DEST}/package")
file(ARCHIVE_EXTRACT INPUT "${tarball}" DESTINATION "${DEST}" PATTERNS "package/flags/4x3")
file(TOUCH "${STAMP}")
