# Writes program_version.h: the version and the commit the source tree is at, with ", modified"
# when tracked files differ from it (files git does not track are no change, as for git describe),
# or "unknown commit" where the tree is no git checkout (a source archive). Run at every build, so
# that a build after a new commit names the new one; configure_file leaves the header alone when
# its text is the same, so nothing else is rebuilt.
#   cmake -DSOURCE_DIR=... -DOUTPUT=... -DVERSION=1.2.3 [-DGIT=/usr/bin/git] -P write_program_version.cmake
set(commit "unknown commit")
if(GIT)
  # Only the tree's own repository: a source archive unpacked inside another checkout is none.
  execute_process(COMMAND "${GIT}" -C "${SOURCE_DIR}" rev-parse --show-toplevel HEAD
                  RESULT_VARIABLE status OUTPUT_VARIABLE answer ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(status EQUAL 0)
    string(REPLACE "\n" ";" answer "${answer}")
    list(GET answer 0 top)
    list(GET answer 1 head)
    file(REAL_PATH "${top}" top)
    file(REAL_PATH "${SOURCE_DIR}" source)
    if(top STREQUAL source)
      # A fixed length, not git's shortest unique one, which grows with the repository.
      string(SUBSTRING "${head}" 0 12 commit)
      execute_process(COMMAND "${GIT}" -C "${SOURCE_DIR}" status --porcelain --untracked-files=no
                      RESULT_VARIABLE status OUTPUT_VARIABLE changes ERROR_QUIET)
      if(NOT status EQUAL 0 OR NOT changes STREQUAL "")
        string(APPEND commit ", modified")
      endif()
    endif()
  endif()
endif()

string(REPLACE "." ";" numbers "${VERSION}")
list(GET numbers 0 VERSION_MAJOR)
list(GET numbers 1 VERSION_MINOR)
list(GET numbers 2 VERSION_PATCH)
set(VERSION_TEXT "${VERSION} (${commit})")
configure_file("${CMAKE_CURRENT_LIST_DIR}/program_version.h.in" "${OUTPUT}" @ONLY)
