# Delay-loaded system DLLs. A DLL the executable imports is loaded by wine or
# Windows before the entry function runs; for the few the installer needs only
# for a download, a folder query or an account check, that load is paid by
# every start before the window can paint. An import library made here with
# dlltool's delay option resolves each function on its first call instead, and
# that first call happens after the entry function has limited the DLL search
# to the system directory.
#
# qz_delay_import(<name>...) makes qz::delayed::<name> for each <name> whose
# import library lib<name>.a the cross compiler has; link that target in place
# of <name>. Only functions are delayed: an import library member without code
# (a data export) is left out, so such a symbol would stay unresolved at link.
find_program(QZ_DLLTOOL ${QZ_HOST}-dlltool REQUIRED)
find_program(QZ_NM ${QZ_HOST}-nm REQUIRED)

function(qz_delay_import)
  set(dir ${CMAKE_BINARY_DIR}/delay-import)
  file(MAKE_DIRECTORY ${dir})
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    set(machine i386)
    set(prefix "_")  # stdcall names: _Name@N, imported by the bare Name
    set(kill_at --kill-at)
  else()
    set(machine i386:x86-64)
    set(prefix "")
    set(kill_at "")
  endif()
  foreach(name IN LISTS ARGN)
    if(TARGET qz::delayed::${name})
      continue()
    endif()
    execute_process(COMMAND ${CMAKE_C_COMPILER} -print-file-name=lib${name}.a
                    OUTPUT_VARIABLE implib OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${implib}" OR NOT EXISTS "${implib}")
      message(FATAL_ERROR "qz_delay_import: no import library lib${name}.a for ${name}.dll")
    endif()
    execute_process(COMMAND ${QZ_NM} -g --defined-only ${implib}
                    OUTPUT_VARIABLE symbols RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "qz_delay_import: ${QZ_NM} failed on ${implib}")
    endif()
    string(REGEX MATCHALL "[0-9a-f]+ T ${prefix}[A-Za-z0-9_@?$]+" code "${symbols}")
    set(exports "")
    foreach(entry IN LISTS code)
      string(REGEX REPLACE "^[0-9a-f]+ T ${prefix}" "" function "${entry}")
      string(FIND "${symbols}" " I __imp_${prefix}${function}\n" imported)
      if(NOT imported EQUAL -1)
        string(APPEND exports "  ${function}\n")
      endif()
    endforeach()
    if(exports STREQUAL "")
      message(FATAL_ERROR "qz_delay_import: no functions found in ${implib}")
    endif()
    set(def ${dir}/${name}.def)
    set(lib ${dir}/lib${name}_delay.a)
    file(WRITE ${def} "LIBRARY ${name}.dll\nEXPORTS\n${exports}")
    execute_process(COMMAND ${QZ_DLLTOOL} -m ${machine} ${kill_at} -d ${def} -D ${name}.dll -y ${lib}
                    RESULT_VARIABLE rc ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "qz_delay_import: dlltool failed for ${name}: ${err}")
    endif()
    add_library(qz::delayed::${name} STATIC IMPORTED GLOBAL)
    set_target_properties(qz::delayed::${name} PROPERTIES IMPORTED_LOCATION ${lib})
  endforeach()
endfunction()
