#pragma once
// The interface of the zip module (yuedu-zip.so): libzip, and the cryptography and compression
// libraries it loads, reached through a table of its functions, so that a program pays for them
// only when it reads a .docx, .odt or .epub.
#include <zip.h>

// Bumped whenever the table changes, so a stale module is refused.
#define YUEDU_ZIP_MODULE_INTERFACE 1

namespace yuedu::doc {

struct ZipApi {
    decltype(&::zip_error_init) error_init;
    decltype(&::zip_error_fini) error_fini;
    decltype(&::zip_error_strerror) error_strerror;
    decltype(&::zip_error_code_zip) error_code_zip;
    decltype(&::zip_source_buffer_create) source_buffer_create;
    decltype(&::zip_source_free) source_free;
    decltype(&::zip_open_from_source) open_from_source;
    decltype(&::zip_discard) discard;
    decltype(&::zip_get_num_entries) get_num_entries;
    decltype(&::zip_get_name) get_name;
    decltype(&::zip_get_error) get_error;
    decltype(&::zip_strerror) strerror;
    decltype(&::zip_stat_init) stat_init;
    decltype(&::zip_stat_index) stat_index;
    decltype(&::zip_fopen_index) fopen_index;
    decltype(&::zip_fread) fread;
    decltype(&::zip_file_get_error) file_get_error;
    decltype(&::zip_fclose) fclose;
};

// extern "C" const ZipApi *yuedu_zip_api();
using ZipApiFn = const ZipApi *(*)();

} // namespace yuedu::doc
