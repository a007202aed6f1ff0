#include "documents/calculate.h"

#include "platform/text.h"

#include <limits>

namespace documents {

namespace {

QString shown(std::string_view text)
{
    return platform::displayLines(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

} // namespace

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
    return field.isEmpty() ? 0 : dimensions::readInt32(field.toStdString());
}

Calculation calculate(const QString& width, const QString& height,
                      std::span<const std::string> rows)
{
    Calculation result;
    const std::int32_t x = sizeValue(width);
    const std::int32_t y = sizeValue(height);
    if (rows.empty() || x == 0 || y == 0)
        return result;
    result.usable = true;
    result.match = dimensions::findClosestRatio(rows, x, y);
    result.text = result.match ? shown(dimensions::percentsText(result.match->horizontal,
                                                                result.match->vertical))
                               : restingText();
    return result;
}

QString restingText()
{
    return shown(dimensions::restingText);
}

QString copyNameFor(const QString& name, std::int32_t width, std::int32_t height)
{
    QString copy =
        QString::fromStdString(dimensions::renamedForSize(name.toStdString(), width, height));
    if (!copy.isEmpty() && copy.compare(name, Qt::CaseInsensitive) == 0)
        copy.prepend(QStringLiteral("Copy of "));
    return copy;
}

} // namespace documents
