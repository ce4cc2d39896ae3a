# cmake -DLOCALE=ru_RU.UTF-8 -DOUTPUT=<folder> -P BuildLocale.cmake
# Compiles one locale from the C library's sources into a folder of the build, so that the tests can
# run in it through LOCPATH without the machine having it generated.
string(REGEX MATCH "^[^.]+" source "${LOCALE}")
string(REGEX REPLACE "^[^.]+\\." "" charmap "${LOCALE}")
find_program(LOCALEDEF localedef)
if(NOT LOCALEDEF OR NOT EXISTS /usr/share/i18n/locales/${source})
  message(FATAL_ERROR "The tests run in ${LOCALE}, which cannot be built here: localedef or "
                      "/usr/share/i18n/locales/${source} is missing (Debian package 'locales'; "
                      "scripts/bootstrap installs it).")
endif()
execute_process(COMMAND ${LOCALEDEF} -i ${source} -f ${charmap} ${OUTPUT}/${LOCALE}
                RESULT_VARIABLE result ERROR_VARIABLE errors OUTPUT_VARIABLE errors)
if(NOT result EQUAL 0 OR NOT EXISTS ${OUTPUT}/${LOCALE}/LC_NUMERIC)
  message(FATAL_ERROR "localedef could not build the locale ${LOCALE} for the tests:\n${errors}")
endif()
