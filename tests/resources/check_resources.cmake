# Checks the Windows module's resources with wrestool: every bitmap the face uses, in US
# English, at its size and 8 bits per pixel, and the version block's numbers and texts.
#   cmake -DWRESTOOL=... -DMODULE=kolvex.gau -DWORK_DIR=... -P check_resources.cmake

set(failures "")
macro(fail text)
  list(APPEND failures "${text}")
endmacro()

# A little-endian number of the given byte count at a byte offset into a hex dump.
function(read_le hex offset bytes out)
  set(value "")
  foreach(i RANGE 0 ${bytes})
    if(i LESS bytes)
      math(EXPR at "(${offset} + ${i}) * 2")
      string(SUBSTRING "${hex}" ${at} 2 byte)
      set(value "${byte}${value}")
    endif()
  endforeach()
  math(EXPR value "0x${value}")
  set(${out} ${value} PARENT_SCOPE)
endfunction()

# The hex dump of a text as UTF-16 little-endian, as Windows stores resource texts.
function(utf16_hex text out)
  string(HEX "${text}" narrow)
  string(REGEX REPLACE "(..)" "\\100" wide "${narrow}")
  set(${out} "${wide}" PARENT_SCOPE)
endfunction()

execute_process(COMMAND ${WRESTOOL} -l ${MODULE} OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "wrestool cannot read ${MODULE}")
endif()
file(MAKE_DIRECTORY ${WORK_DIR})

# id, width, height
set(bitmaps
  "4096 315 315"
  "8192 157 17" "8195 157 17" "8198 157 17" "8201 157 17" "8204 157 17"
  "8207 157 17" "8210 157 17" "8213 157 17" "8216 157 17" "8219 157 17"
  "12288 25 17" "12291 25 17" "12294 25 17"
  "16384 33 17" "16387 33 17"
  "20480 26 17" "20483 26 17"
  "24576 49 27" "24579 49 27")
foreach(entry IN LISTS bitmaps)
  separate_arguments(fields UNIX_COMMAND "${entry}")
  list(GET fields 0 id)
  list(GET fields 1 width)
  list(GET fields 2 height)
  if(NOT listing MATCHES "--type=2 --name=${id} --language=1033 ")
    fail("bitmap ${id} is missing or not in language 1033")
    continue()
  endif()
  set(file ${WORK_DIR}/bitmap_${id}.dib)
  file(REMOVE ${file})
  execute_process(COMMAND ${WRESTOOL} -x -R -t 2 -n ${id} -L 1033 -o ${file} ${MODULE}
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR NOT EXISTS ${file})
    fail("bitmap ${id} cannot be extracted")
    continue()
  endif()
  file(READ ${file} hex LIMIT 40 HEX)
  read_le("${hex}" 0 4 header_size)
  read_le("${hex}" 4 4 actual_width)
  read_le("${hex}" 8 4 actual_height)
  read_le("${hex}" 14 2 bits)
  read_le("${hex}" 16 4 compression)
  if(NOT header_size EQUAL 40)
    fail("bitmap ${id}: header of ${header_size} bytes, expected a 40-byte BITMAPINFOHEADER")
  endif()
  if(NOT actual_width EQUAL width OR NOT actual_height EQUAL height)
    fail("bitmap ${id}: ${actual_width} x ${actual_height}, expected ${width} x ${height}")
  endif()
  if(NOT bits EQUAL 8)
    fail("bitmap ${id}: ${bits} bits per pixel, expected 8")
  endif()
  if(NOT compression EQUAL 0)
    fail("bitmap ${id}: compression ${compression}, expected none")
  endif()
endforeach()

if(NOT listing MATCHES "--type=16 --name=1 --language=1033 ")
  fail("version block is missing or not in language 1033")
else()
  set(file ${WORK_DIR}/version.bin)
  file(REMOVE ${file})
  execute_process(COMMAND ${WRESTOOL} -x -R -t 16 -n 1 -L 1033 -o ${file} ${MODULE})
  file(READ ${file} version HEX)
  # VS_FIXEDFILEINFO: signature, structure version, file version 1.3.0.0, product version 1.3.0.0.
  if(NOT version MATCHES "bd04effe0000010003000100000000000300010000000000")
    fail("version block: numeric file and product version are not 1.3.0.0")
  endif()
  utf16_hex("040904b0" table)
  if(NOT version MATCHES "${table}0000")
    fail("version block: no string table 040904b0")
  endif()
  foreach(pair "FileDescription=FS98 / FS2000 Gauge." "ProductName=Brelvund KOL-VEX"
               "FileVersion=01.03.00" "ProductVersion=01.03.00")
    string(FIND "${pair}" "=" split)
    string(SUBSTRING "${pair}" 0 ${split} key)
    math(EXPR split "${split} + 1")
    string(SUBSTRING "${pair}" ${split} -1 value)
    utf16_hex("${key}" key_hex)
    utf16_hex("${value}" value_hex)
    # The key, its terminator, padding to a 32-bit boundary, then the value and its terminator.
    if(NOT version MATCHES "${key_hex}0000(0000)?${value_hex}0000")
      fail("version block: ${key} is not \"${value}\"")
    endif()
  endforeach()
  utf16_hex("Translation" translation)
  if(NOT version MATCHES "${translation}0000(0000)?0904b004")
    fail("version block: translation is not 0x0409, 0x04b0")
  endif()
endif()

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "${MODULE} resources:\n  ${text}")
endif()
message(STATUS "${MODULE}: all bitmaps and the version block are in place")
