# End-to-end tests of the logbook's safety: a delete survives the close box,
# an unreadable logbook is never saved over, and a file size limit makes saves
# fail instead of killing the program.
if(NOT COMMAND kav_e2e_test)
  message(FATAL_ERROR "logbook_safety.cmake needs kav_e2e_test from e2e.cmake")
endif()

kav_e2e_test(delete_then_close_box_leaves_no_logbook logbook_safety.sh close)
kav_e2e_test(unreadable_logbook_is_untouched_as_a_normal_user logbook_safety.sh unreadable)
kav_e2e_test(file_size_limit_fails_saves_without_killing logbook_safety.sh fsize)
