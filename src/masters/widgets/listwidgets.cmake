# The list masters: makers and car names, the simple masters, equipment and
# memo templates.
target_sources(vendara_masters_widgets PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/gridview.cpp
  ${CMAKE_CURRENT_LIST_DIR}/carlistmodel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/carmasterframe.cpp
  ${CMAKE_CURRENT_LIST_DIR}/simplemastermodel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/listmasterframe.cpp
  ${CMAKE_CURRENT_LIST_DIR}/masterpickdialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/masterpickdialog.ui
  ${CMAKE_CURRENT_LIST_DIR}/equipmentpage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/equipmentpickdialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/memotemplateview.cpp
  ${CMAKE_CURRENT_LIST_DIR}/memotemplatespage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/memopickdialog.cpp
)

# Each editor and pick dialog over a copy of the shipped data (not installed).
add_executable(vendara-masters-gallery ${CMAKE_CURRENT_LIST_DIR}/gallery_main.cpp)
target_link_libraries(vendara-masters-gallery PRIVATE vendara_masters_widgets)
target_compile_definitions(vendara-masters-gallery PRIVATE VENDARA_SHIPPED_DATA="${PROJECT_SOURCE_DIR}/data")
