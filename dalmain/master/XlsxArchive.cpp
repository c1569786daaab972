#include "dalmain/master/XlsxArchive.h"

#include <zip.h>

namespace dalmain::xlsx {

namespace {

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

}  // namespace

bool looksLikeZip(QByteArrayView bytes)
{
    return bytes.startsWith(QByteArrayView("PK\x03\x04", 4));
}

void Archive::Closer::operator()(zip *archive) const
{
    zip_discard(archive);
}

Archive::Archive() = default;
Archive::~Archive() = default;
Archive::Archive(Archive &&) noexcept = default;
Archive &Archive::operator=(Archive &&) noexcept = default;

bool Archive::open(const QByteArray &bytes, QString *error)
{
    m_zip.reset();
    m_bytes = bytes;
    if (!looksLikeZip(m_bytes))
        return fail(error, QStringLiteral("not a zip archive"));

    zip_error_t why;
    zip_error_init(&why);
    zip_source_t *source = zip_source_buffer_create(m_bytes.constData(), zip_uint64_t(m_bytes.size()), 0, &why);
    zip_t *archive = source ? zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &why) : nullptr;
    if (!archive) {
        const QString text = QStringLiteral("not an intact zip archive (%1)").arg(QString::fromUtf8(zip_error_strerror(&why)));
        if (source)
            zip_source_free(source);
        zip_error_fini(&why);
        return fail(error, text);
    }
    zip_error_fini(&why);
    m_zip.reset(archive);   // the archive now owns the source
    return true;
}

bool Archive::contains(const QString &name) const
{
    return m_zip && zip_name_locate(m_zip.get(), name.toUtf8().constData(), ZIP_FL_NOCASE) >= 0;
}

bool Archive::read(const QString &name, qint64 maxBytes, QByteArray &out, QString *error) const
{
    out.clear();
    if (!m_zip)
        return fail(error, QStringLiteral("no archive is open"));
    const zip_int64_t index = zip_name_locate(m_zip.get(), name.toUtf8().constData(), ZIP_FL_NOCASE);
    if (index < 0)
        return fail(error, QStringLiteral("%1 is missing").arg(name));
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(m_zip.get(), zip_uint64_t(index), 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE)) {
        if (stat.size > zip_uint64_t(maxBytes))
            return fail(error, QStringLiteral("%1 is too large (%2 bytes unpacked; at most %3 are read)")
                                   .arg(name).arg(stat.size).arg(maxBytes));
        out.reserve(qsizetype(stat.size));
    }
    zip_file_t *file = zip_fopen_index(m_zip.get(), zip_uint64_t(index), 0);
    if (!file)
        return fail(error, QStringLiteral("%1 cannot be read (%2)").arg(name, QString::fromUtf8(zip_strerror(m_zip.get()))));

    // The size in the directory is not trusted: reading stops at the limit whatever it says.
    char buffer[1 << 16];
    for (;;) {
        const zip_int64_t got = zip_fread(file, buffer, sizeof buffer);
        if (got < 0) {
            const QString text = QStringLiteral("%1 is damaged (%2)").arg(name, QString::fromUtf8(zip_file_strerror(file)));
            zip_fclose(file);
            out.clear();
            return fail(error, text);
        }
        if (got == 0)
            break;
        if (out.size() + got > maxBytes) {
            zip_fclose(file);
            out.clear();
            return fail(error, QStringLiteral("%1 is too large (more than %2 bytes unpacked)").arg(name).arg(maxBytes));
        }
        out.append(buffer, qsizetype(got));
    }
    zip_fclose(file);
    return true;
}

}  // namespace dalmain::xlsx
