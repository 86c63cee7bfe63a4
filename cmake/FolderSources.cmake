# folder_sources(VAR BASE FOLDER...): the .cpp files of each FOLDER below BASE,
# in that order, for a library made of one folder a layer or concern.
function(folder_sources var base)
  set(sources)
  foreach(folder ${ARGN})
    file(GLOB folder_cpp CONFIGURE_DEPENDS ${base}/${folder}/*.cpp)
    list(APPEND sources ${folder_cpp})
  endforeach()
  set(${var} ${sources} PARENT_SCOPE)
endfunction()
