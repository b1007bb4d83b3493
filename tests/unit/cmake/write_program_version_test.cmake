# The version text that cmake/write_program_version.cmake writes, in a scratch repository: the
# commit, the next one after a commit, ", modified" for a changed tracked file, and "unknown
# commit" for a tree inside another checkout or without git.
#   cmake -DGIT=/usr/bin/git -DWORK=DIR -P write_program_version_test.cmake
set(script ${CMAKE_CURRENT_LIST_DIR}/../../../cmake/write_program_version.cmake)
set(repo ${WORK}/repo)
set(header ${WORK}/program_version.h)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${repo})

set(failures 0)
function(git)
  execute_process(COMMAND ${GIT} -C ${repo} -c user.name=Test -c user.email=test@example.invalid ${ARGN}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "git ${ARGN}: ${err}")
  endif()
  set(git_out "${out}" PARENT_SCOPE)
endfunction()
function(expect what source git_program expected)
  execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${source} -DOUTPUT=${header} -DVERSION=1.2.3
                          -DGIT=${git_program} -P ${script} RESULT_VARIABLE status ERROR_VARIABLE err)
  file(READ ${header} text)
  string(FIND "${text}" "#define OSTREL_VERSION_TEXT \"${expected}\"\n" at)
  string(FIND "${text}" "#define OSTREL_VERSION_NUMBERS 1,2,3,0\n" numbers_at)
  if(NOT status EQUAL 0 OR at EQUAL -1 OR numbers_at EQUAL -1)
    message(SEND_ERROR "FAILED ${what}: expected \"${expected}\", got:\n${text}${err}")
  endif()
endfunction()

git(init -q)
file(WRITE ${repo}/a.txt "one\n")
git(add a.txt)
git(commit -q -m one)
git(rev-parse HEAD)
string(SUBSTRING "${git_out}" 0 12 first)
expect("a clean tree names its commit" ${repo} ${GIT} "1.2.3 (${first})")

file(WRITE ${repo}/a.txt "two\n")
expect("a changed file" ${repo} ${GIT} "1.2.3 (${first}, modified)")
git(commit -q -a -m two)
git(rev-parse HEAD)
string(SUBSTRING "${git_out}" 0 12 second)
expect("the commit after a new one" ${repo} ${GIT} "1.2.3 (${second})")

# As git describe --dirty: files git does not track are no change (a build folder, a log).
file(WRITE ${repo}/new.txt "new\n")
expect("a file git does not track" ${repo} ${GIT} "1.2.3 (${second})")

file(MAKE_DIRECTORY ${repo}/unpacked)
expect("a tree inside another checkout" ${repo}/unpacked ${GIT} "1.2.3 (unknown commit)")
expect("no git" ${repo} "" "1.2.3 (unknown commit)")
file(REMOVE_RECURSE ${WORK})
