# End-to-end tests of the logbook while other programs and other users touch
# it: an editor's save, an append, a delete, a run as root in the user's folder.
if(NOT COMMAND kav_e2e_test)
  message(FATAL_ERROR "logbook_edits.cmake needs kav_e2e_test from e2e.cmake")
endif()

foreach(scenario rename append appends delete chain root)
  kav_e2e_test(logbook_edited_by_others_${scenario} logbook_edits.sh ${scenario})
endforeach()
