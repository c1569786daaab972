#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include <memory>

struct zip;

// The zip archive a spreadsheet workbook is stored in: opening it from memory and reading its
// members in full, with a limit on their size so that a damaged or hostile file cannot exhaust
// the memory.
namespace dalmain::xlsx {

// true when bytes begin as a zip archive does ("PK\x03\x04"); every workbook does.
bool looksLikeZip(QByteArrayView bytes);

class Archive {
public:
    Archive();
    ~Archive();
    Archive(Archive &&) noexcept;
    Archive &operator=(Archive &&) noexcept;

    // Opens the archive held in bytes, which it keeps. false, with the reason in *error, for
    // bytes that are no intact zip archive.
    bool open(const QByteArray &bytes, QString *error = nullptr);

    // Member names are compared without regard to case, as the package format asks.
    bool contains(const QString &name) const;

    // The whole member. false, with the reason in *error, when it is missing, damaged,
    // encrypted or larger than maxBytes once unpacked.
    bool read(const QString &name, qint64 maxBytes, QByteArray &out, QString *error = nullptr) const;

private:
    struct Closer {
        void operator()(zip *archive) const;
    };
    QByteArray m_bytes;
    std::unique_ptr<zip, Closer> m_zip;
};

}  // namespace dalmain::xlsx
