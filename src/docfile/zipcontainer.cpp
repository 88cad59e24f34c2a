#include "docfile/zipcontainer.h"

#include <algorithm>
#include <dlfcn.h>

#include "common/errors.h"
#include "docfile/zipapi.h"
#include "langdata/modules.h"

namespace yuedu::doc {

namespace {

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string megabytes(std::size_t bytes) {
    return std::to_string(bytes >> 20) + " MB";
}

const ZipApi &zipApi(const std::string &source) {
    const LoadedModule &m =
        loadModule("yuedu-zip.so", YUEDU_ZIP_MODULE_INTERFACE, "讀取 .docx、.odt、.epub 文件");
    if (!m.handle)
        throw FormatError(source, m.problem);
    auto api = reinterpret_cast<ZipApiFn>(dlsym(m.handle, "yuedu_zip_api"));
    if (!api)
        throw FormatError(source, "yuedu-zip.so 版本不符，壓縮檔無法讀取");
    return *api();
}

} // namespace

struct ZipContainer::Handle {
    const ZipApi &z;
    zip_t *zip = nullptr;
    explicit Handle(const ZipApi &api) : z(api) {}
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    ~Handle() {
        if (zip)
            z.discard(zip);
    }
};

bool ZipContainer::looksLikeZip(std::string_view bytes) {
    // A local file header, or the end record of an empty archive.
    return bytes.starts_with(std::string_view("PK\x03\x04", 4)) ||
           bytes.starts_with(std::string_view("PK\x05\x06", 4));
}

ZipContainer::ZipContainer(std::string_view bytes, std::string source)
    : m_zip(std::make_unique<Handle>(zipApi(source))), m_source(std::move(source)) {
    const ZipApi &z = m_zip->z;
    zip_error_t error;
    z.error_init(&error);
    zip_source_t *src = z.source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (!src) {
        z.error_fini(&error);
        throw FormatError(m_source, "壓縮檔無法讀取");
    }
    m_zip->zip = z.open_from_source(src, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!m_zip->zip) {
        z.source_free(src);
        const std::string reason = z.error_strerror(&error);
        z.error_fini(&error);
        throw FormatError(m_source, "壓縮檔已損壞（" + reason + "）");
    }
    z.error_fini(&error);
    const zip_int64_t count = z.get_num_entries(m_zip->zip, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char *name = z.get_name(m_zip->zip, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW);
        m_names.emplace_back(name ? name : "");
    }
}

ZipContainer::~ZipContainer() = default;

std::optional<std::string> ZipContainer::find(std::string_view name) const {
    for (const auto &n : m_names)
        if (n == name)
            return n;
    for (const auto &n : m_names)
        if (sameIgnoringCase(n, name))
            return n;
    return std::nullopt;
}

std::optional<std::string> ZipContainer::readIfPresent(std::string_view name) {
    if (!has(name))
        return std::nullopt;
    return read(name);
}

std::string ZipContainer::read(std::string_view wanted) {
    const std::optional<std::string> name = find(wanted);
    if (!name)
        throw FormatError(m_source, "壓縮檔內缺少 " + std::string(wanted));
    const auto index = static_cast<zip_uint64_t>(std::find(m_names.begin(), m_names.end(), *name) -
                                                 m_names.begin());
    const ZipApi &z = m_zip->z;
    zip_stat_t st;
    z.stat_init(&st);
    if (z.stat_index(m_zip->zip, index, ZIP_FL_ENC_RAW, &st) != 0)
        throw FormatError(m_source, "壓縮檔內的 " + *name + " 已損壞");
    if ((st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE)
        throw FormatError(m_source, "文件有密碼保護（已加密），無法讀取");
    const std::size_t packed = (st.valid & ZIP_STAT_COMP_SIZE) ? st.comp_size : 0;
    // The caps hold for the bytes actually unpacked: the sizes in the directory may lie.
    const std::size_t ratioCap = std::max(kRatioFloorBytes, packed * kMaxRatio);
    const std::size_t cap = std::min({kMaxPartBytes, ratioCap, kMaxTotalBytes - m_total});
    const auto tooBig = [&] {
        return FormatError(m_source, "壓縮檔內的 " + *name + " 解開後過大（上限 " +
                                         megabytes(kMaxPartBytes) + "、壓縮比 " +
                                         std::to_string(kMaxRatio) +
                                         " 倍），可能是壓縮炸彈，不予讀取");
    };
    if ((st.valid & ZIP_STAT_SIZE) && st.size > cap)
        throw tooBig();

    zip_file_t *file = z.fopen_index(m_zip->zip, index, 0);
    if (!file) {
        const int code = z.error_code_zip(z.get_error(m_zip->zip));
        if (code == ZIP_ER_NOPASSWD || code == ZIP_ER_WRONGPASSWD || code == ZIP_ER_ENCRNOTSUPP)
            throw FormatError(m_source, "文件有密碼保護（已加密），無法讀取");
        throw FormatError(m_source,
                          "壓縮檔內的 " + *name + " 無法解開（" + z.strerror(m_zip->zip) + "）");
    }
    std::string out;
    if (st.valid & ZIP_STAT_SIZE)
        out.reserve(static_cast<std::size_t>(st.size));
    char buffer[1 << 16];
    for (;;) {
        const zip_int64_t n = z.fread(file, buffer, sizeof buffer);
        if (n < 0) {
            const std::string reason = z.error_strerror(z.file_get_error(file));
            z.fclose(file);
            throw FormatError(m_source, "壓縮檔內的 " + *name + " 已損壞（" + reason + "）");
        }
        if (n == 0)
            break;
        if (out.size() + static_cast<std::size_t>(n) > cap) {
            z.fclose(file);
            throw tooBig();
        }
        out.append(buffer, static_cast<std::size_t>(n));
    }
    z.fclose(file);
    m_total += out.size();
    return out;
}

} // namespace yuedu::doc
