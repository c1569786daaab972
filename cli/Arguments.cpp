#include "Arguments.h"

#include "quenkit/dates/Dates.h"

#include <QDate>
#include <QRegularExpression>

namespace cli {

bool userTableReadable(Context &ctx, const QString &group)
{
    QString problem;
    if (dalmain::userTableState(&problem) == dalmain::UserTableState::Ready)
        return true;
    ctx.err << ctx.program << " " << group << ": " << problem << "\n";
    return false;
}

std::optional<dalmain::UserListEntry> userArgument(const QString &text)
{
    bool isNumber = false;
    const uint number = text.toUInt(&isNumber);
    for (const dalmain::UserListEntry &u : dalmain::listUsers()) {
        if (isNumber ? u.number == number : u.name == text)
            return u;
    }
    return std::nullopt;
}

QByteArray dateKeyArgument(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{4})-?(\\d{2})-?(\\d{2})$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch() || !quenkit::isRecordYear(m.captured(1).toInt())
        || !QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()).isValid())
        return {};
    return (m.captured(1) + m.captured(2) + m.captured(3)).toLatin1();
}

}  // namespace cli
