# What the package holds: installs the build as cpack does (prefix /usr) into a temporary
# folder and compares the files with the list below. The desktop entry names the installed
# icon, the metainfo the installed desktop entry, and each PNG icon has its folder's size.
#   cmake -DBUILD_DIR=build -DID=org.brackenfold.Quillaran "-DICON_SIZES=48;128;256"
#         -P InstallHoldsPackageFiles.cmake

set(root ${BUILD_DIR}/packaging-test-root)
file(REMOVE_RECURSE ${root})
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${root}
    ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
  OUTPUT_QUIET RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install ended with ${status}")
endif()

set(share usr/share)
set(expected
  usr/bin/quillaran
  usr/bin/quillaran-web
  ${share}/applications/${ID}.desktop
  ${share}/doc/quillaran/changelog.gz
  ${share}/doc/quillaran/copyright
  ${share}/icons/hicolor/scalable/apps/${ID}.svg
  ${share}/man/man1/quillaran-web.1.gz
  ${share}/man/man1/quillaran.1.gz
  ${share}/metainfo/${ID}.metainfo.xml
  ${share}/quillaran/QuillaranHelp.htm)
foreach(size IN LISTS ICON_SIZES)
  list(APPEND expected ${share}/icons/hicolor/${size}x${size}/apps/${ID}.png)
endforeach()
list(SORT expected)
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${root} ${root}/*)
list(SORT installed)
if(NOT installed STREQUAL expected)
  string(REPLACE ";" "\n  " installed_lines "${installed}")
  string(REPLACE ";" "\n  " expected_lines "${expected}")
  message(FATAL_ERROR "installed:\n  ${installed_lines}\nexpected:\n  ${expected_lines}")
endif()

file(STRINGS ${root}/${share}/applications/${ID}.desktop icon REGEX "^Icon=")
if(NOT icon STREQUAL "Icon=${ID}")
  message(SEND_ERROR "the desktop entry names the icon \"${icon}\", not ${ID}")
endif()
# Claiming a folder type would make the program every folder's default: a file manager's
# double click, or xdg-open, would start it on the folder.
file(STRINGS ${root}/${share}/applications/${ID}.desktop types REGEX "^MimeType=")
if(types MATCHES "inode/")
  message(SEND_ERROR "the desktop entry claims a folder type: ${types}")
endif()
file(READ ${root}/${share}/metainfo/${ID}.metainfo.xml metainfo)
if(NOT metainfo MATCHES "<launchable type=\"desktop-id\">${ID}.desktop</launchable>")
  message(SEND_ERROR "the metainfo does not launch ${ID}.desktop")
endif()

# A PNG's width and height are the big-endian words at bytes 16 and 20.
foreach(size IN LISTS ICON_SIZES)
  set(png ${root}/${share}/icons/hicolor/${size}x${size}/apps/${ID}.png)
  file(READ ${png} header LIMIT 24 HEX)
  math(EXPR word "0x100000000 + ${size}" OUTPUT_FORMAT HEXADECIMAL)  # 0x1 and eight digits
  string(SUBSTRING "${word}" 3 8 word)
  if(NOT header STREQUAL "89504e470d0a1a0a0000000d49484452${word}${word}")
    message(SEND_ERROR "${png} is no ${size} x ${size} PNG: ${header}")
  endif()
endforeach()
file(REMOVE_RECURSE ${root})
