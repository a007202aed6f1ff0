#include "documents/copyname.h"

#include "dimensions/dimensions.h"

namespace documents {

QString copyNameFor(const QString& name, std::int32_t width, std::int32_t height)
{
    QString copy =
        QString::fromStdString(dimensions::renamedForSize(name.toStdString(), width, height));
    if (!copy.isEmpty() && copy.compare(name, Qt::CaseInsensitive) == 0)
        copy.prepend(QStringLiteral("Copy of "));
    return copy;
}

} // namespace documents
