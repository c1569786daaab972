# Dalmain's screens: the shell, the five screens, the maintenance dialogs and printing, as one
# static library the program and the widget tests link, and the program itself. Sources are
# picked up by folder, so a new screen under screens/<name>/ needs no change here.
set(DALMAIN_GUI_DIR ${CMAKE_CURRENT_SOURCE_DIR})
file(GLOB DALMAIN_GUI_SOURCES CONFIGURE_DEPENDS
     ${DALMAIN_GUI_DIR}/shell/*.cpp ${DALMAIN_GUI_DIR}/shell/*.h
     ${DALMAIN_GUI_DIR}/maintenance/ui/*.cpp ${DALMAIN_GUI_DIR}/maintenance/ui/*.h
     ${DALMAIN_GUI_DIR}/print/*.cpp ${DALMAIN_GUI_DIR}/print/*.h)
file(GLOB_RECURSE DALMAIN_SCREEN_SOURCES CONFIGURE_DEPENDS
     ${DALMAIN_GUI_DIR}/screens/*.cpp ${DALMAIN_GUI_DIR}/screens/*.h)

add_library(dalmain_gui STATIC ${DALMAIN_GUI_SOURCES} ${DALMAIN_SCREEN_SOURCES})
# Network: the local socket by which a second start of the program hands over to the first.
target_link_libraries(dalmain_gui PUBLIC dalmain_core quenkit_controls quenkit_printer Qt6::Widgets Qt6::PrintSupport Qt6::Svg
                      Qt6::Network)

# Built into the program: the toolbar icons and pictures, and the help pages of data/help/.
file(GLOB DALMAIN_ICONS CONFIGURE_DEPENDS
     ${DALMAIN_GUI_DIR}/resources/icons/*.svg ${DALMAIN_GUI_DIR}/resources/bitmaps/*.svg)
qt_add_resources(dalmain_gui dalmain_pictures
  PREFIX /dalmain
  BASE ${DALMAIN_GUI_DIR}/resources
  FILES ${DALMAIN_ICONS})
file(GLOB_RECURSE DALMAIN_HELP_PAGES CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/data/help/*.htm ${CMAKE_SOURCE_DIR}/data/help/*.css ${CMAKE_SOURCE_DIR}/data/help/*.svg)
qt_add_resources(dalmain_gui dalmain_help
  PREFIX /help
  BASE ${CMAKE_SOURCE_DIR}/data/help
  FILES ${DALMAIN_HELP_PAGES})

# The dialogs of other modules register themselves from static objects (DialogRegistry.h),
# so the program takes every object of the library, referenced or not.
add_executable(Dalmain ${DALMAIN_GUI_DIR}/app/main.cpp)
target_link_libraries(Dalmain PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,dalmain_gui>")
if(WIN32)
  set_target_properties(Dalmain PROPERTIES WIN32_EXECUTABLE ON)
elseif(APPLE)
  set_target_properties(Dalmain PROPERTIES MACOSX_BUNDLE ON)
endif()
