# The Windows cross build (MinGW-w64 with the Windows Qt's qt-cmake): how the build runs
# its own Windows programs (under wine), and what goes beside the programs when they ship.

# The folders a Windows program of this build finds its DLLs in: the Windows Qt's bin and
# the MinGW runtime of the compiler.
get_filename_component(ZOMIR_WIN_QT_PREFIX "${Qt6_DIR}/../../.." ABSOLUTE)
get_filename_component(ZOMIR_WIN_CXX_DIR "${CMAKE_CXX_COMPILER}" REALPATH)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                OUTPUT_VARIABLE ZOMIR_WIN_LIBSTDCXX OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
                OUTPUT_VARIABLE ZOMIR_WIN_LIBPTHREAD OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(ZOMIR_WIN_GCC_DLL_DIR "${ZOMIR_WIN_LIBSTDCXX}" DIRECTORY)
get_filename_component(ZOMIR_WIN_PTHREAD_DLL_DIR "${ZOMIR_WIN_LIBPTHREAD}" DIRECTORY)
set(ZOMIR_WIN_DLL_DIRS "${ZOMIR_WIN_QT_PREFIX}/bin" "${ZOMIR_WIN_GCC_DLL_DIR}" "${ZOMIR_WIN_PTHREAD_DLL_DIR}")

# Programs built here (the picture tool, the tests) run under wine through this script, in
# a wine prefix of the build's own unless WINEPREFIX says otherwise.
find_program(ZOMIR_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(ZOMIR_WINE NAMES wine64 wine)
set(ZOMIR_WINE_PREFIX "${CMAKE_BINARY_DIR}/wineprefix")
set(ZOMIR_WINE_PATH "")
foreach(dir ${ZOMIR_WIN_DLL_DIRS})
  string(REPLACE "/" "\\" windir "Z:${dir}")
  string(APPEND ZOMIR_WINE_PATH "${windir};")
endforeach()
string(REPLACE "/" "\\" ZOMIR_WINE_PLUGIN_PATH "Z:${ZOMIR_WIN_QT_PREFIX}/plugins")
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE
               @ONLY)
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
endif()

# Qt Test programs under wine write their results only to a file (-o FILE,txt): this
# runner passes that option and prints the file, so CTest shows what failed.
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-test.sh.in ${CMAKE_BINARY_DIR}/wine-test.sh
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE
               @ONLY)
set(ZOMIR_WINE_TEST ${CMAKE_BINARY_DIR}/wine-test.sh)

# The programs' icons (drawn by the picture tool) and their version and file properties.
if(NOT CMAKE_RC_COMPILER)
  find_program(CMAKE_RC_COMPILER NAMES x86_64-w64-mingw32-windres windres REQUIRED)
endif()
enable_language(RC)
set(ZOMIR_VERSION "${PROJECT_VERSION}.0")
file(WRITE ${CMAKE_BINARY_DIR}/zomir-version.txt "${ZOMIR_VERSION}\n")

function(zomir_windows_programs)
  if(NOT TARGET zomir-pictures)
    return()
  endif()
  set(dir ${CMAKE_BINARY_DIR}/windows)
  add_custom_command(
    OUTPUT ${dir}/zomir.ico ${dir}/karbantartas.ico
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            ${ZOMIR_PICTURE_TOOL} --ico ${dir}
    DEPENDS zomir-pictures ${ZOMIR_HOST_PICTURES}
    COMMENT "Drawing the programs' Windows icons"
    VERBATIM)
  add_custom_target(zomir_windows_icons ALL DEPENDS ${dir}/zomir.ico ${dir}/karbantartas.ico)
  string(REPLACE "." "," ZOMIR_VERSION_COMMAS "${ZOMIR_VERSION}.0")
  # Texts of the file properties, with the accents as UTF-16 escapes for the resource compiler.
  set(zomir_text "Zomir: p\\x00e1lyav\\x00e1laszt\\x00e1s \\x00e9s csal\\x00e1di k\\x00f6lts\\x00e9gvet\\x00e9s")
  set(karbantartas_text "Zomir karbantart\\x00f3")
  set(zomir-data_text "Zomir munkamappa-k\\x00e9sz\\x00edt\\x0151")
  set(zomir_icon zomir)
  set(karbantartas_icon karbantartas)
  set(zomir-data_icon zomir)
  foreach(program zomir karbantartas zomir-data)
    if(NOT TARGET ${program})
      continue()
    endif()
    set(ZOMIR_RC_NAME ${program})
    set(ZOMIR_RC_DESCRIPTION "${${program}_text}")
    set(ZOMIR_RC_ICON ${dir}/${${program}_icon}.ico)
    configure_file(${CMAKE_SOURCE_DIR}/cmake/windows-program.rc.in ${dir}/${program}.rc @ONLY)
    target_sources(${program} PRIVATE ${dir}/${program}.rc)
    set_source_files_properties(${dir}/${program}.rc TARGET_DIRECTORY ${program}
                                PROPERTIES OBJECT_DEPENDS ${ZOMIR_RC_ICON})
    add_dependencies(${program} zomir_windows_icons)
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL zomir_windows_programs)

# Programs run from the build find Qt's Hungarian texts on the host (wine's drive Z:), as the
# shipped ones find them in their translations folder.
set(ZOMIR_HOST_QT_TRANSLATIONS /usr/share/qt6/translations CACHE PATH
    "The host's Qt translations, read by the Windows programs run from the build")
foreach(dir game maintenance data tests)
  file(WRITE ${CMAKE_BINARY_DIR}/${dir}/qt.conf
       "[Paths]\nPrefix = Z:${ZOMIR_WIN_QT_PREFIX}\nTranslations = Z:${ZOMIR_HOST_QT_TRANSLATIONS}\n")
endforeach()
