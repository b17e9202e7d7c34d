# Rebuilds the import library of a DLL linked with --kill-at on i686, where
# the linker's own import library keeps only the undecorated names and a
# caller's reference to Name@N finds nothing. From the linker's .def
# ("Name = Name@N @k") it writes "Name@N" lines and lets dlltool -k map
# each decorated symbol to the undecorated export.
#   cmake -DDEF=x.def -DDLL=x.dll -DLIB=libx.dll.a -DDLLTOOL=... -P implib.cmake
file(STRINGS ${DEF} lines)
set(out "EXPORTS\n")
foreach(line ${lines})
  if(line MATCHES "^[ \t]+([A-Za-z_][A-Za-z0-9_]*) = ([A-Za-z_][A-Za-z0-9_]*@[0-9]+)")
    string(APPEND out "    ${CMAKE_MATCH_2}\n")
  elseif(line MATCHES "^[ \t]+([A-Za-z_][A-Za-z0-9_]*)( |$)")
    string(APPEND out "    ${CMAKE_MATCH_1}\n")
  endif()
endforeach()
file(WRITE ${DEF}.decorated ${out})
get_filename_component(dllname ${DLL} NAME)
execute_process(COMMAND ${DLLTOOL} -k -d ${DEF}.decorated -D ${dllname} -l ${LIB}
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "dlltool failed for ${DLL}")
endif()
