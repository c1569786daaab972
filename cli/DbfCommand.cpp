// dalmora dbf: look into a table, search it, and repair it by hand with the same operations the
// program uses. Every command works on a file path; a path ending in "FDB" is a signed table.

#include "Command.h"

#include "quenkit/dbf/Dbf.h"
#include "quenkit/files/FileAccess.h"
#include "quenkit/files/FileLock.h"
#include "quenkit/owner/Owner.h"
#include "quenkit/text/ShiftJis.h"
#include "quenkit/text/StringHelpers.h"

#include <QFileInfo>

namespace {

const QString kUsage = QStringLiteral(
    "Usage:\n"
    "  dalmora dbf info FILE                          header and field descriptors\n"
    "  dalmora dbf dump FILE [--deleted]              one CSV line per record: its number (from 0),\n"
    "                                                 then the fields; --deleted adds the deleted\n"
    "                                                 records, their number marked with *\n"
    "  dalmora dbf search FILE FIELDS LOW HIGH        record numbers found (FIELDS joined with @)\n"
    "  dalmora dbf create FILE NAME:TYPE:LENGTH[:DECIMALS] ...\n"
    "                                                 a new table without records\n"
    "  dalmora dbf write FILE KEYFIELD FIELD=VALUE ... [--no-overwrite]\n"
    "                                                 write a record in key order; print the result\n"
    "                                                 (1 added, 2 overwritten, 0 not written)\n"
    "  dalmora dbf delete FILE KEYFIELD KEY           delete by key; print the result\n"
    "                                                 (1 deleted, 2 not found, 0 failed)\n"
    "  dalmora dbf delete-record FILE N               delete record N (from 0); print the result\n"
    "Texts are converted to Shift-JIS; a table whose name ends in FDB has the signature.");

int run(cli::Context &ctx, QStringList args);

const cli::CommandRegistration registration(
    {QStringLiteral("dbf"), QStringLiteral("inspect, search and repair dBase tables"), kUsage, run});

const cli::Command &self()
{
    for (const cli::Command &c : cli::registeredCommands()) {
        if (c.name == QLatin1String("dbf"))
            return c;
    }
    Q_UNREACHABLE();
}

int failure(cli::Context &ctx, const QString &text)
{
    ctx.err << "dalmora dbf: " << text << "\n";
    return cli::ExitFailure;
}

// A write or delete that did nothing (result 0) because another program was changing the table
// says so; the result itself stays the only output on stdout.
void reportLockFailure(cli::Context &ctx, int result)
{
    if (result == 0 && !quenkit::lastFileLockError().isEmpty())
        ctx.err << "dalmora dbf: " << quenkit::lastFileLockError() << "\n";
}

QString csvField(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    return QLatin1Char('"') + QString(text).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

QString typeLetter(char type)
{
    const auto c = static_cast<unsigned char>(type);
    if (c > 0x20 && c < 0x7F)
        return QString(QLatin1Char(type));
    return QStringLiteral("0x%1").arg(c, 2, 16, QLatin1Char('0'));
}

// The index of the field named name, or -1.
int fieldIndex(const quenkit::DbfLayout &layout, const QByteArray &name)
{
    for (int i = 0; i < layout.fields.size(); ++i) {
        if (layout.fields[i].name() == name)
            return i;
    }
    return -1;
}

int info(cli::Context &ctx, const QString &path)
{
    quenkit::DbfHeader header;
    if (!quenkit::GetDBFInfo(path, header))
        return failure(ctx, QStringLiteral("%1: no table header").arg(path));
    QString problem;
    quenkit::DbfLayout layout;
    const bool sound = quenkit::readDbfLayout(path, layout, &problem);

    ctx.out << "signature: " << (quenkit::signatureOffsetFor(path) ? "yes" : "no") << "\n";
    ctx.out << "version: 0x" << QStringLiteral("%1").arg(header.version(), 2, 16, QLatin1Char('0')) << "\n";
    ctx.out << "date: "
            << QStringLiteral("%1/%2/%3")
                   .arg(header.year(), 4, 10, QLatin1Char('0'))
                   .arg(header.month(), 2, 10, QLatin1Char('0'))
                   .arg(header.day(), 2, 10, QLatin1Char('0'))
            << "\n";
    ctx.out << "records: " << header.recordCount() << "\n";
    ctx.out << "header length: " << header.headerLength() << "\n";
    ctx.out << "record length: " << header.recordLength() << "\n";
    ctx.out << "fields: " << layout.fields.size() << "\n";
    int offset = 0;
    for (const quenkit::DbfFieldDescriptor &d : layout.fields) {
        ctx.out << "  " << quenkit::fromSjis(d.name()) << " " << typeLetter(d.type()) << " " << d.length() << " "
                << d.decimals() << " (offset " << offset << ")\n";
        offset += d.length();
    }
    if (!sound)
        return failure(ctx, QStringLiteral("%1: %2").arg(path, problem));
    return cli::ExitOk;
}

int dump(cli::Context &ctx, const QString &path, bool withDeleted)
{
    QString problem;
    quenkit::DbfLayout layout;
    if (!quenkit::readDbfLayout(path, layout, &problem))
        return failure(ctx, QStringLiteral("%1: %2").arg(path, problem));
    quenkit::FileHandle file(quenkit::FileOpen2(quenkit::tablePath(path), quenkit::OpenRead));
    if (!file.isOpen())
        return failure(ctx, QStringLiteral("cannot open %1").arg(path));
    QByteArray body;
    for (int r = 0; r < layout.recordCount(); ++r) {
        const int state = quenkit::GetDBFRecord(file.get(), r, body, layout.headerLength(), layout.recordLength(),
                                                layout.signatureOffset);
        if (state == 0)
            return failure(ctx, QStringLiteral("%1: record %2 cannot be read").arg(path).arg(r));
        if (state == 2 && !withDeleted)
            continue;
        ctx.out << r << (state == 2 ? "*" : "");
        int offset = 0;
        for (const quenkit::DbfFieldDescriptor &d : layout.fields) {
            const QByteArray field = quenkit::trimmedField(QByteArrayView(body).sliced(offset, d.length()));
            ctx.out << "," << csvField(quenkit::fromSjis(field));
            offset += d.length();
        }
        ctx.out << "\n";
    }
    return cli::ExitOk;
}

int search(cli::Context &ctx, const QString &path, const QStringList &args)
{
    cli::ConsoleOwner owner(ctx.err, QStringLiteral("dalmora dbf: "));
    QList<int> found;
    const int n = quenkit::SearchDBFRecord(&owner, found, path, quenkit::toSjis(args[0]), quenkit::toSjis(args[1]),
                                           quenkit::toSjis(args[2]));
    if (n < 0)
        return failure(ctx, QStringLiteral("%1: the search failed").arg(path));
    for (int r : found)
        ctx.out << r << "\n";
    return n > 0 ? cli::ExitOk : cli::ExitNo;
}

int create(cli::Context &ctx, const QString &path, const QStringList &specs)
{
    QList<quenkit::DbfFieldDescriptor> fields;
    int bodyLength = 0;
    for (const QString &spec : specs) {
        const QStringList parts = spec.split(QLatin1Char(':'));
        if (parts.size() < 3 || parts.size() > 4)
            return cli::usageError(ctx, self(), QStringLiteral("field '%1' is not NAME:TYPE:LENGTH[:DECIMALS]").arg(spec));
        const QByteArray name = quenkit::toSjis(parts[0]);
        if (name.isEmpty() || name.size() > quenkit::dbf::FieldNameSize)
            return cli::usageError(ctx, self(), QStringLiteral("field name '%1' must have 1 to 11 bytes in Shift-JIS").arg(parts[0]));
        if (parts[1].size() != 1 || !parts[1][0].isLetter() || parts[1][0].unicode() > 0x7F)
            return cli::usageError(ctx, self(), QStringLiteral("field type '%1' must be one letter").arg(parts[1]));
        bool ok = false;
        const int length = parts[2].toInt(&ok);
        if (!ok || length < 1 || length > 255)
            return cli::usageError(ctx, self(), QStringLiteral("field length '%1' must be 1 to 255").arg(parts[2]));
        int decimals = 0;
        if (parts.size() == 4) {
            decimals = parts[3].toInt(&ok);
            if (!ok || decimals < 0 || decimals > 255)
                return cli::usageError(ctx, self(), QStringLiteral("decimals '%1' must be 0 to 255").arg(parts[3]));
        }
        bodyLength += length;
        if (bodyLength + 1 > 0xFFFF)
            return cli::usageError(ctx, self(), QStringLiteral("the record would exceed 65535 bytes"));
        fields.append(quenkit::DbfFieldDescriptor::make(name, parts[1][0].toLatin1(), length, decimals));
    }
    if (QFileInfo::exists(path))
        return failure(ctx, QStringLiteral("%1 exists already").arg(path));
    if (!quenkit::createDbfTable(path, fields))
        return failure(ctx, QStringLiteral("cannot create %1").arg(path));
    return cli::ExitOk;
}

int write(cli::Context &ctx, const QString &path, QStringList args, bool newOnly)
{
    QString problem;
    quenkit::DbfLayout layout;
    if (!quenkit::readDbfLayout(path, layout, &problem))
        return failure(ctx, QStringLiteral("%1: %2").arg(path, problem));
    const QByteArray keyField = quenkit::toSjis(args.takeFirst());
    if (fieldIndex(layout, keyField) < 0)
        return cli::usageError(ctx, self(), QStringLiteral("no field '%1'").arg(quenkit::fromSjis(keyField)));

    QByteArray body(layout.bodyLength(), ' ');
    for (const QString &assignment : args) {
        const qsizetype eq = assignment.indexOf(QLatin1Char('='));
        if (eq <= 0)
            return cli::usageError(ctx, self(), QStringLiteral("'%1' is not FIELD=VALUE").arg(assignment));
        const QByteArray name = quenkit::toSjis(assignment.left(eq));
        const int i = fieldIndex(layout, name);
        if (i < 0)
            return cli::usageError(ctx, self(), QStringLiteral("no field '%1'").arg(assignment.left(eq)));
        bool encodable = true;
        const QByteArray value = quenkit::toSjis(assignment.mid(eq + 1), &encodable);
        // Stored, such a character would come back as "?": refused, as every text entry is.
        if (!encodable)
            return cli::usageError(ctx, self(), QStringLiteral("'%1' has a character that Shift-JIS cannot hold")
                                                    .arg(assignment.mid(eq + 1)));
        if (value.size() > layout.fields[i].length())
            return cli::usageError(ctx, self(), QStringLiteral("'%1' takes %2 bytes, field %3 has %4")
                                                    .arg(assignment.mid(eq + 1))
                                                    .arg(value.size())
                                                    .arg(assignment.left(eq))
                                                    .arg(layout.fields[i].length()));
        body.replace(layout.fieldOffset(i), layout.fields[i].length(),
                     quenkit::sjisField(value, layout.fields[i].length()));
    }
    cli::ConsoleOwner owner(ctx.err, QStringLiteral("dalmora dbf: "));
    const int result = quenkit::WriteDBFRecord(&owner, path, body, keyField,
                                               newOnly ? quenkit::WriteNewOnly : quenkit::WriteOrOverwrite);
    ctx.out << result << "\n";
    reportLockFailure(ctx, result);
    return result == 1 || result == 2 ? cli::ExitOk : cli::ExitNo;
}

// The actions, the number of arguments each takes after FILE (-1: no upper bound) and their shape.
struct Action {
    QLatin1String name;
    int minArgs;
    int maxArgs;
    QLatin1String shape;
};
const Action kActions[] = {
    {QLatin1String("info"), 0, 0, QLatin1String("FILE")},
    {QLatin1String("dump"), 0, 0, QLatin1String("FILE [--deleted]")},
    {QLatin1String("search"), 3, 3, QLatin1String("FILE FIELDS LOW HIGH")},
    {QLatin1String("create"), 1, -1, QLatin1String("FILE NAME:TYPE:LENGTH[:DECIMALS] ...")},
    {QLatin1String("write"), 1, -1, QLatin1String("FILE KEYFIELD FIELD=VALUE ... [--no-overwrite]")},
    {QLatin1String("delete"), 2, 2, QLatin1String("FILE KEYFIELD KEY")},
    {QLatin1String("delete-record"), 1, 1, QLatin1String("FILE N")},
};

int run(cli::Context &ctx, QStringList args)
{
    const bool withDeleted = cli::takeFlag(args, QStringLiteral("--deleted"));
    const bool newOnly = cli::takeFlag(args, QStringLiteral("--no-overwrite"));
    if (args.isEmpty())
        return cli::usageError(ctx, self(), QStringLiteral("missing action"));
    const QString name = args.takeFirst();
    const Action *action = nullptr;
    for (const Action &a : kActions) {
        if (a.name == name)
            action = &a;
    }
    if (!action)
        return cli::usageError(ctx, self(), QStringLiteral("unknown action '%1'").arg(name));
    for (const QString &a : args) {
        if (a.startsWith(QLatin1String("--")))
            return cli::usageError(ctx, self(), QStringLiteral("unknown option %1").arg(a));
    }
    if (withDeleted && name != QLatin1String("dump"))
        return cli::usageError(ctx, self(), QStringLiteral("--deleted goes with dump"));
    if (newOnly && name != QLatin1String("write"))
        return cli::usageError(ctx, self(), QStringLiteral("--no-overwrite goes with write"));
    const qsizetype rest = args.size() - 1;
    if (args.isEmpty() || rest < action->minArgs || (action->maxArgs >= 0 && rest > action->maxArgs))
        return cli::usageError(ctx, self(), QStringLiteral("%1 takes %2").arg(name, action->shape));

    const QString path = QFileInfo(args.takeFirst()).absoluteFilePath();
    if (name == QLatin1String("create"))
        return create(ctx, path, args);
    int record = -1;
    if (name == QLatin1String("delete-record")) {
        bool ok = false;
        record = args[0].toInt(&ok);
        if (!ok || record < 0)
            return cli::usageError(ctx, self(), QStringLiteral("N must be a record number from 0"));
    }
    if (!QFileInfo(path).isFile())
        return failure(ctx, QStringLiteral("cannot open %1").arg(path));

    if (name == QLatin1String("info"))
        return info(ctx, path);
    if (name == QLatin1String("dump"))
        return dump(ctx, path, withDeleted);
    if (name == QLatin1String("search"))
        return search(ctx, path, args);
    if (name == QLatin1String("write"))
        return write(ctx, path, args, newOnly);
    int result = 0;
    if (name == QLatin1String("delete")) {
        bool encodable = true;
        const QByteArray key = quenkit::toSjis(args[1], &encodable);
        // A key with a character turned into "?" would name another record.
        if (!encodable)
            return cli::usageError(ctx, self(), QStringLiteral("'%1' has a character that Shift-JIS cannot hold").arg(args[1]));
        cli::ConsoleOwner owner(ctx.err, QStringLiteral("dalmora dbf: "));
        result = quenkit::DeleteDBFRecord(&owner, path, key, quenkit::toSjis(args[0]));
    } else {
        result = quenkit::DeleteDBFNoRecord(path, record);
    }
    ctx.out << result << "\n";
    reportLockFailure(ctx, result);
    return result == 1 ? cli::ExitOk : cli::ExitNo;
}

}  // namespace
