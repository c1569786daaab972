#include "dalmain/master/FixedText.h"

#include <charconv>
#include <system_error>

namespace dalmain {

std::string fixedText(double value, int decimals, int width, bool plusSign)
{
    // Wide enough for the largest double in fixed notation (309 digits) plus the decimals.
    char buffer[400];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    std::string text = ec == std::errc() ? std::string(buffer, end) : std::string("nan");
    if (plusSign && !text.empty() && text.front() != '-')
        text.insert(text.begin(), '+');
    if (static_cast<int>(text.size()) < width)
        text.insert(text.begin(), static_cast<size_t>(width) - text.size(), ' ');
    return text;
}

QString fixedCell(double value, int decimals, int width, bool plusSign, int maxLength, const QString &overflow)
{
    const std::string text = fixedText(value, decimals, width, plusSign);
    return static_cast<int>(text.size()) > maxLength ? overflow : QString::fromStdString(text);
}

double readFixedText(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    if (i < text.size() && text[i] == '+')
        ++i;
    double value = 0;
    const auto [ptr, ec] = std::from_chars(text.data() + i, text.data() + text.size(), value, std::chars_format::fixed);
    return ec == std::errc() ? value : 0.0;
}

}  // namespace dalmain
