// The zip module: libzip's functions in one table, loaded by ZipContainer when a zip is read.
#include "docfile/zipapi.h"

extern "C" __attribute__((visibility("default"))) int yuedu_module_interface() {
    return YUEDU_ZIP_MODULE_INTERFACE;
}

extern "C" __attribute__((visibility("default"))) const yuedu::doc::ZipApi *yuedu_zip_api() {
    static const yuedu::doc::ZipApi api{zip_error_init,
                                        zip_error_fini,
                                        zip_error_strerror,
                                        zip_error_code_zip,
                                        zip_source_buffer_create,
                                        zip_source_free,
                                        zip_open_from_source,
                                        zip_discard,
                                        zip_get_num_entries,
                                        zip_get_name,
                                        zip_get_error,
                                        zip_strerror,
                                        zip_stat_init,
                                        zip_stat_index,
                                        zip_fopen_index,
                                        zip_fread,
                                        zip_file_get_error,
                                        zip_fclose};
    return &api;
}
