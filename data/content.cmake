# zomir-data: builds a complete working folder of the game from the content sources in
# data/content (usage: zomir-data [--year Y] <folder>). Each tax year's catalogues,
# professions and tax tables are in data/content/<year>/; the recommendation clauses are
# shared. The sources are embedded in the tool.
file(GLOB ZOMIR_CONTENT_BUILDER CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/builder/*.cpp
     ${CMAKE_CURRENT_SOURCE_DIR}/builder/*.h)
file(GLOB ZOMIR_CONTENT_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_CURRENT_SOURCE_DIR}/content/*.txt ${CMAKE_CURRENT_SOURCE_DIR}/content/20[0-9][0-9]/*.json)
add_executable(zomir-data ${ZOMIR_CONTENT_BUILDER})
qt_add_resources(zomir-data zomir_content PREFIX /content
                 BASE ${CMAKE_CURRENT_SOURCE_DIR}/content
                 FILES ${ZOMIR_CONTENT_SOURCES})
target_include_directories(zomir-data PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(zomir-data PRIVATE zomir_rules zdb zpictures zomir_resources Qt6::Gui)

# The content test rebuilds a folder with the tool to check that building is repeatable.
# The upgrade test runs it over a folder of an older shape.
# Built for Windows and run under wine, the build's paths are on wine's drive Z:.
function(zomir_content_test_hook)
  set(drive "")
  if(WIN32 AND CMAKE_CROSSCOMPILING)
    set(drive "Z:")
  endif()
  foreach(test tst_content tst_upgrade)
    if(TARGET ${test})
      target_compile_definitions(${test} PRIVATE ZOMIR_DATA_TOOL="${drive}$<TARGET_FILE:zomir-data>")
      add_dependencies(${test} zomir-data)
    endif()
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL zomir_content_test_hook)
