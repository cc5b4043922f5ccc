# The program on Windows: a window without a console, the Qt libraries and plugins it needs
# beside it (windeployqt, after every build and on install), and the shipped data files in
# data/ beside it, where it looks for them first.
set_target_properties(tq4800 PROPERTIES WIN32_EXECUTABLE ON)

if(TARGET Qt6::windeployqt)
  set(TQ_WINDEPLOYQT $<TARGET_FILE:Qt6::windeployqt>)
else()
  find_program(TQ_WINDEPLOYQT windeployqt REQUIRED
               HINTS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}" "${Qt6_DIR}/../../../bin")
endif()

add_custom_command(TARGET tq4800 POST_BUILD
  COMMAND "${TQ_WINDEPLOYQT}" --no-translations --verbose 0 "$<TARGET_FILE:tq4800>"
  COMMENT "windeployqt tq4800")

install(TARGETS tq4800 RUNTIME DESTINATION .)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION data)
install(CODE "execute_process(COMMAND \"${TQ_WINDEPLOYQT}\" --no-translations --verbose 0
                              \"\${CMAKE_INSTALL_PREFIX}/tq4800.exe\" COMMAND_ERROR_IS_FATAL ANY)")
