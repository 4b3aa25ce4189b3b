# Registers the audit of the demo catalogue (native builds only), when a python3 that can
# import ezdxf is on the PATH; without one the audit is left out with a note.
if(CMAKE_CROSSCOMPILING)
  return()
endif()
if(NOT ZR_EZDXF_PYTHON)
  string(REPLACE ":" ";" _zr_path_dirs "$ENV{PATH}")
  foreach(_zr_dir IN LISTS _zr_path_dirs)
    if(EXISTS "${_zr_dir}/python3")
      execute_process(COMMAND "${_zr_dir}/python3" -c "import ezdxf"
                      RESULT_VARIABLE _zr_rc OUTPUT_QUIET ERROR_QUIET)
      if(_zr_rc EQUAL 0)
        set(ZR_EZDXF_PYTHON "${_zr_dir}/python3" CACHE FILEPATH "python3 with ezdxf")
        break()
      endif()
    endif()
  endforeach()
endif()
if(ZR_EZDXF_PYTHON)
  add_test(NAME demo_catalogue_audit
           COMMAND ${ZR_EZDXF_PYTHON} ${ZR_SOURCE_DIR}/tools/demo-catalogue/audit_demo_dxf.py
                   ${ZR_SOURCE_DIR}/data/demo --compare-with-generator)
else()
  message(STATUS "No python3 with ezdxf found: the demo catalogue audit is not registered")
endif()
