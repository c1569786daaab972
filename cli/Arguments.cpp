#include "Arguments.h"

#include <QDate>
#include <QRegularExpression>

namespace cli {

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
    if (!m.hasMatch() || !QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()).isValid())
        return {};
    return (m.captured(1) + m.captured(2) + m.captured(3)).toLatin1();
}

}  // namespace cli
