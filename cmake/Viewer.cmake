# kp_add_viewer(<program> <decoder library> <description>): the program's window model as a
# toolkit-free library the tests link, and the program built on it: the Win32 one on Windows,
# the Qt one elsewhere.
function(kp_add_viewer program decoder description)
  add_library(${program}_form STATIC form1.cpp)
  target_link_libraries(${program}_form PUBLIC shell ${decoder})
  kp_set_warnings(${program}_form)

  if(WIN32)
    add_executable(${program} WIN32 winmain.cpp ${CMAKE_CURRENT_BINARY_DIR}/${program}.rc)
    kp_write_win32_resources(${CMAKE_CURRENT_BINARY_DIR}/${program}.rc ${program}
      "${description}")
    target_link_libraries(${program} PRIVATE ${program}_form shell_win32)
    kp_set_warnings(${program})
  elseif(KP_BUILD_GUI)
    add_executable(${program} main.cpp)
    target_link_libraries(${program} PRIVATE ${program}_form shell_qt)
    target_compile_definitions(${program} PRIVATE KP_VERSION="${PROJECT_VERSION}")
    kp_add_artwork(${program} ${program})
    kp_set_warnings(${program})
  endif()
endfunction()

# kp_add_artwork(<target> <program>): the program's icon and decorative picture as Qt resources
# under :/<program>/.
function(kp_add_artwork target program)
  kp_artwork_files(artwork ${program}-icon.png ${program}-decoration.jpg)
  qt_add_resources(${target} "${program}_artwork" PREFIX "/${program}"
    BASE ${PROJECT_SOURCE_DIR}/artwork FILES ${artwork})
endfunction()

# kp_artwork_files(<variable> <file>...): those files of artwork/, each followed by its rendering
# at twice the size (name@2x.png), which Qt picks on its own on a screen scaled by 2.
function(kp_artwork_files variable)
  set(files)
  foreach(file ${ARGN})
    string(REGEX REPLACE "\\.([a-z]+)$" "@2x.\\1" twice ${file})
    list(APPEND files ${PROJECT_SOURCE_DIR}/artwork/${file} ${PROJECT_SOURCE_DIR}/artwork/${twice})
  endforeach()
  set(${variable} ${files} PARENT_SCOPE)
endfunction()

# kp_write_win32_resources(<rc file> <program> <description>): the program's manifest, version
# information, icon, the glyphs as icons and the decorative picture (and its rendering at twice the
# size) as bitmaps, named like the files in capitals ("arrow-left" as ARROW_LEFT).
function(kp_write_win32_resources rc program description)
  set(art ${PROJECT_SOURCE_DIR}/artwork)
  kp_version_text(text "${description}" ${program}.exe VFT_APP)
  kp_manifest_resource(text)
  string(APPEND text "1 ICON \"${art}/${program}.ico\"\n")
  kp_decoration_resources(text ${program})
  foreach(glyph arrow-left arrow-right info drive folder-open folder-closed)
    string(TOUPPER ${glyph} name)
    string(REPLACE "-" "_" name ${name})
    string(APPEND text "${name} ICON \"${art}/${glyph}.ico\"\n")
  endforeach()
  file(CONFIGURE OUTPUT ${rc} CONTENT "${text}" @ONLY)
endfunction()

# kp_manifest_resource(<variable>): appends to the variable the resource line of the programs'
# manifest (aware of each monitor's dpi, the themed common controls, long paths).
function(kp_manifest_resource variable)
  string(APPEND ${variable} "1 24 \"${PROJECT_SOURCE_DIR}/cmake/viewer.manifest\"\n")
  set(${variable} "${${variable}}" PARENT_SCOPE)
endfunction()

# kp_decoration_resources(<variable> <program>): appends to the variable the resource lines of the
# program's decorative picture and its rendering at twice the size, as bitmaps: KESTREL_DECORATION
# and KESTREL_DECORATION_2X.
function(kp_decoration_resources variable program)
  string(TOUPPER ${program} name)
  set(art ${PROJECT_SOURCE_DIR}/artwork/${program}-decoration)
  string(APPEND ${variable} "${name}_DECORATION BITMAP \"${art}.bmp\"\n"
    "${name}_DECORATION_2X BITMAP \"${art}@2x.bmp\"\n")
  set(${variable} "${${variable}}" PARENT_SCOPE)
endfunction()

# kp_version_text(<variable> <description> <file name> <VFT_APP or VFT_DLL>): the version
# information block of one Windows file, from the one template all of them share.
function(kp_version_text variable description file_name file_type)
  set(KP_FILE_DESCRIPTION "${description}")
  set(KP_FILE_NAME ${file_name})
  set(KP_FILE_TYPE ${file_type})
  file(READ ${PROJECT_SOURCE_DIR}/cmake/version.rc.in template)
  string(CONFIGURE "${template}" text @ONLY)
  set(${variable} "${text}" PARENT_SCOPE)
endfunction()
