# qz_ui_decor: the animated frame controls ("SequenceLabel", "SequenceButton").
# Portable: they only ask their window for timers and repaints.
add_library(qz_ui_decor STATIC
  ${CMAKE_CURRENT_LIST_DIR}/frame_sequence.cpp ${CMAKE_CURRENT_LIST_DIR}/sequence_animation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sequence_label_ui.cpp ${CMAKE_CURRENT_LIST_DIR}/sequence_button_ui.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sequence_controls.cpp)
target_link_libraries(qz_ui_decor PUBLIC qz_toolkit_core)

if(WIN32)
  # qz_ui_prompt: the prompt dialogs over the skinned frame windows.
  add_library(qz_ui_prompt STATIC
    ${CMAKE_CURRENT_LIST_DIR}/message_box_wnd_win.cpp ${CMAKE_CURRENT_LIST_DIR}/show_prompt_win.cpp)
  target_link_libraries(qz_ui_prompt PUBLIC qz_toolkit_win)
endif()
