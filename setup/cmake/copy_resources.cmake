# cmake -DSOURCE=dir -DDESTINATION=dir -P copy_resources.cmake
# Copies every file of SOURCE into DESTINATION (made if missing), keeping
# permissions; a SOURCE that does not exist yet copies nothing. A "tests"
# folder holds tests of the resources, not resources, and is left out.
file(MAKE_DIRECTORY "${DESTINATION}")
if(IS_DIRECTORY "${SOURCE}")
  file(GLOB entries "${SOURCE}/*")
  foreach(entry IN LISTS entries)
    get_filename_component(name "${entry}" NAME)
    if(name STREQUAL "tests")
      continue()
    endif()
    file(COPY "${entry}" DESTINATION "${DESTINATION}")
  endforeach()
endif()
