# Fails when the reader program uses the C++ streams: their first use fills
# the standard library's locale tables, a quarter of a megabyte and more in
# memory at every start. The reader reads files with readWholeFile and writes
# them with openFile (src/base/file_path.h).
# cmake -DPROGRAM=<the reader> -DNM=<nm> -P reader_uses_no_streams.cmake
if(NOT PROGRAM OR NOT NM)
  message(FATAL_ERROR "PROGRAM or NM is not set")
endif()
execute_process(COMMAND "${NM}" -D --undefined-only "${PROGRAM}" OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
if(failed OR NOT symbols MATCHES "_Znwm")
  message(FATAL_ERROR "cannot list the symbols ${PROGRAM} uses")
endif()
# std::ios_base::Init (from <iostream>), std::locale, the file and string streams.
string(REGEX MATCHALL "[^\n]*(_ZNSt8ios_base4Init|_ZNSt6locale|basic_[io]?fstream|basic_[io]?stringstream)[^\n]*" used "${symbols}")
if(used)
  list(JOIN used "\n  " report)
  message(FATAL_ERROR "${PROGRAM} uses the C++ streams:\n  ${report}")
endif()
message(STATUS "${PROGRAM} uses no C++ stream")
