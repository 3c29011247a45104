# End-to-end tests of the menus, the launcher's shortcuts and the secondary
# windows of the real program. kav_e2e_test comes from e2e.cmake, which the
# tests folder includes first (the fragments are taken in name order).
if(NOT COMMAND kav_e2e_test)
  message(FATAL_ERROR "menus.cmake needs kav_e2e_test from e2e.cmake")
endif()

kav_e2e_test(f11_and_ctrl_l_start_fake_programs_first_on_path launch_keys.sh)
kav_e2e_test(om_button_and_menu_open_modal_about_box about_box.sh)
kav_e2e_test(about_and_plc_menus_open_titled_windows secondary_windows.sh)
kav_e2e_test(delete_logbook_removes_file_or_shows_delete_fel logbook_delete.sh)
