#include "windows/fields.h"

#include <algorithm>
#include <limits>
#include <string>

namespace windows {

QValidator::State SizeValidator::validate(QString& input, int& position) const
{
    const QString digits = input.trimmed();
    qint64 value = 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return Invalid;
        value = value * 10 + (c.unicode() - '0');
        if (value > std::numeric_limits<std::int32_t>::max())
            return Invalid;
    }
    if (digits.size() != input.size()) {
        position = std::min(position, static_cast<int>(digits.size()));
        input = digits;
    }
    return Acceptable;
}

std::int32_t sizeValue(const QString& field)
{
    return dimensions::readInt32(field.toStdString());
}

QString resultText(const std::optional<dimensions::Match>& match)
{
    if (!match)
        return QStringLiteral("---\n---");
    const auto percent = [](double value) {
        return QString::fromStdString(dimensions::percentNumber(value)) + QLatin1Char('%');
    };
    return percent(match->horizontal) + QLatin1Char('\n') + percent(match->vertical);
}

} // namespace windows
