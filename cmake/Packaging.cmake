# What `cmake --install` and the Debian package carry besides the executable (app/CMakeLists.txt
# installs that): the desktop integration, the parts of the fetched third-party packages that the
# program needs at run time, and the documentation Debian asks for. Folders come from
# cmake/InstallDirs.cmake.

set(packaging_dir "${CMAKE_SOURCE_DIR}/packaging")

# Desktop entry, AppStream metainfo, icons, manual page.
install(FILES "${packaging_dir}/slatebook.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${packaging_dir}/${SLATEBOOK_APPSTREAM_ID}.metainfo.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES "${packaging_dir}/icons/slatebook.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
foreach(size 16 24 32 48 64 128 256 512)
  install(FILES "${packaging_dir}/icons/slatebook-${size}.png"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps" RENAME slatebook.png)
endforeach()

# Debian wants the manual page and the changelog compressed without a time stamp; done at configure
# time (gzip is always there) so that installing never depends on which targets were built.
set(compressed_dir "${CMAKE_BINARY_DIR}/packaging")
configure_file("${packaging_dir}/slatebook.1.in" "${compressed_dir}/slatebook.1" @ONLY)
foreach(pair "${compressed_dir}/slatebook.1|slatebook.1.gz"
             "${packaging_dir}/changelog|changelog.gz"
             "${ORT_ROOT}/ThirdPartyNotices.txt|ThirdPartyNotices.txt.gz")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 source)
  list(GET pair 1 compressed)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${source}")
  execute_process(COMMAND gzip -9 -n -c "${source}" OUTPUT_FILE "${compressed_dir}/${compressed}"
                  RESULT_VARIABLE gzip_result)
  if(NOT gzip_result EQUAL 0)
    message(FATAL_ERROR "Could not compress ${source}")
  endif()
endforeach()
install(FILES "${compressed_dir}/slatebook.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")

# ONNX Runtime in its private folder, under the name its SONAME gives; no development symlink.
install(FILES "$<TARGET_FILE:onnxruntime::onnxruntime>" DESTINATION "${SLATEBOOK_PRIVATE_LIBDIR}"
        RENAME libonnxruntime.so.1)
install(FILES
          "${SLATEBOOK_MODEL_DIR}/ch_PP-OCRv4_det_infer.onnx"
          "${SLATEBOOK_MODEL_DIR}/ch_PP-OCRv4_rec_infer.onnx"
          "${SLATEBOOK_MODEL_DIR}/ch_ppocr_mobile_v2.0_cls_infer.onnx"
          "${SLATEBOOK_MODEL_DIR}/ppocr_keys_v1.txt"
        DESTINATION "${SLATEBOOK_MODEL_INSTALL_DIR}")

# Licences and notices: Debian's copyright file covers Slatebook, ONNX Runtime and the models;
# ONNX Runtime's own licence and the notices of what is built into it go beside it.
install(FILES "${packaging_dir}/copyright" "${compressed_dir}/changelog.gz"
        DESTINATION "${SLATEBOOK_DOC_INSTALL_DIR}")
install(FILES "${ORT_ROOT}/LICENSE" "${compressed_dir}/ThirdPartyNotices.txt.gz"
        DESTINATION "${SLATEBOOK_DOC_INSTALL_DIR}/onnxruntime")
install(FILES "${packaging_dir}/lintian-overrides" DESTINATION "${CMAKE_INSTALL_DATADIR}/lintian/overrides"
        RENAME slatebook)

# The Debian package: `cpack -G DEB` in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME slatebook)
set(CPACK_PACKAGE_VENDOR "Slatebook developers")
set(CPACK_PACKAGE_CONTACT "Slatebook developers <maintainers@users.noreply.c-seed-22091433.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn photos of homework lists into to-do lists")
set(CPACK_PACKAGE_DESCRIPTION "Slatebook reads a photo or screenshot of a Chinese homework list, printed
or handwritten, and turns it into a to-do list: one entry per task, filed
under its school subject, with bullets, numbering and repeated tasks
cleaned up. The lists are kept with due-time notifications, or written as
reminders to an iCalendar folder that vdirsyncer syncs with a phone.

Text recognition runs on the computer (PP-OCR on ONNX Runtime, both
included); nothing goes over the network. The same program is a batch tool
for other programs, driven by a task file or command-line flags.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The networks hardly compress: xz saves an eighth of the size at four times the packing time.
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Library dependencies come from dpkg-shlibdeps; the ones below are plugins that Qt loads at run
# time, which no linker records: the window's platform plugins, and WebP and other image formats;
# and Qt's own translations, which the window loads for its dialogs and context menus.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-image-formats-plugins, libqt6svg6, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "todoman, vdirsyncer, evolution-data-server")
# Tesseract reads what it has trained data for; the library itself comes from dpkg-shlibdeps.
if(TARGET PkgConfig::TESSERACT)
  string(APPEND CPACK_DEBIAN_PACKAGE_RECOMMENDS ", tesseract-ocr-eng")
  string(APPEND CPACK_DEBIAN_PACKAGE_SUGGESTS ", tesseract-ocr-all")
endif()
include(CPack)
