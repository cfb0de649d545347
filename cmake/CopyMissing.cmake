# Copies every file under SRC to DST that DST does not have yet, so a build
# never overwrites settings or master data that a run has changed.
file(GLOB_RECURSE files RELATIVE "${SRC}" "${SRC}/*")
foreach(f IN LISTS files)
  if(NOT EXISTS "${DST}/${f}")
    get_filename_component(dir "${DST}/${f}" DIRECTORY)
    file(MAKE_DIRECTORY "${dir}")
    file(COPY "${SRC}/${f}" DESTINATION "${dir}")
  endif()
endforeach()
