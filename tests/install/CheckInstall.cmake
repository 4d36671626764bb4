# Installs the build into a scratch prefix and checks what a desktop needs: the program, its
# desktop entry naming the program and the project file type, the icon, and a MIME package
# that shared-mime-info accepts and that maps ".PT" and ".pt" to the project type.
# Run as: cmake -DBUILD_DIR=... -DPREFIX=... -P CheckInstall.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

foreach(path bin/orvane share/applications/orvane.desktop
             share/icons/hicolor/scalable/apps/orvane.svg
             share/icons/hicolor/scalable/mimetypes/application-x-orvane-project.svg
             share/mime/packages/orvane-project.xml)
  if(NOT EXISTS ${PREFIX}/${path})
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()

file(READ ${PREFIX}/share/applications/orvane.desktop entry)
foreach(line "Exec=orvane %f" "Icon=orvane" "MimeType=application/x-orvane-project;")
  string(FIND "${entry}" "${line}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "desktop entry lacks '${line}'")
  endif()
endforeach()

find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
  execute_process(COMMAND ${VALIDATE} ${PREFIX}/share/applications/orvane.desktop
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "desktop-file-validate rejects the desktop entry")
  endif()
endif()

find_program(UPDATE_MIME update-mime-database)
if(UPDATE_MIME)
  # With the prefix on the data path the tool has nothing to say but complaints.
  execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_DIRS=${PREFIX}/share
                          ${UPDATE_MIME} ${PREFIX}/share/mime
                  RESULT_VARIABLE result ERROR_VARIABLE errors)
  if(NOT result EQUAL 0 OR NOT errors STREQUAL "")
    message(FATAL_ERROR "update-mime-database rejects the MIME package: ${errors}")
  endif()
  file(READ ${PREFIX}/share/mime/globs2 globs)
  string(FIND "${globs}" "application/x-orvane-project:*.pt" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "no *.pt glob for the project type in globs2")
  endif()
endif()
