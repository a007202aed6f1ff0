#include "windows/designlayout.h"

#include <QFontDatabase>
#include <QWidget>
#include <algorithm>

namespace windows {

DesignLayout::DesignLayout(QWidget* area, QSize designSize, int minimumHeight, int maximumHeight)
    : QLayout(area), m_designSize(designSize), m_minimumHeight(minimumHeight),
      m_maximumHeight(maximumHeight)
{
    setContentsMargins(0, 0, 0, 0);
}

DesignLayout::DesignLayout(QWidget* area, QSize designSize)
    : DesignLayout(area, designSize, designSize.height(), designSize.height())
{
}

DesignLayout::~DesignLayout()
{
    for (const Placed& placed : m_placed)
        delete placed.item;
}

void DesignLayout::placeAll(std::span<const Placement> table)
{
    QWidget* area = parentWidget();
    for (const Placement& placement : table) {
        auto* control = area->findChild<QWidget*>(QLatin1String(placement.name));
        QWidget* box = control->parentWidget();
        auto* layout = qobject_cast<DesignLayout*>(box->layout());
        if (layout == nullptr) {
            const auto outer = std::ranges::find_if(table, [box](const Placement& p) {
                return box->objectName() == QLatin1String(p.name);
            });
            layout = new DesignLayout(box, outer->design.size());
        }
        layout->place(control, placement.design, placement.anchor);
    }
}

void DesignLayout::place(QWidget* control, const QRect& design, Anchor anchor)
{
    addChildWidget(control);
    m_placed.push_back({new QWidgetItem(control), design, anchor});
    invalidate();
}

void DesignLayout::addItem(QLayoutItem* item)
{
    m_placed.push_back({item, item->geometry(), Anchor::Top});
}

QLayoutItem* DesignLayout::itemAt(int index) const
{
    return index >= 0 && index < count() ? m_placed[static_cast<std::size_t>(index)].item
                                         : nullptr;
}

QLayoutItem* DesignLayout::takeAt(int index)
{
    QLayoutItem* item = itemAt(index);
    if (item != nullptr)
        m_placed.erase(m_placed.begin() + index);
    return item;
}

int DesignLayout::count() const
{
    return static_cast<int>(m_placed.size());
}

QSize DesignLayout::sizeHint() const
{
    return m_designSize;
}

QSize DesignLayout::minimumSize() const
{
    return {m_designSize.width(), m_minimumHeight};
}

QSize DesignLayout::maximumSize() const
{
    return {m_designSize.width(), m_maximumHeight};
}

void DesignLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    const int delta = parentWidget()->height() - m_designSize.height();
    for (const Placed& placed : m_placed) {
        QRect r = placed.design;
        if (placed.anchor == Anchor::TopAndBottom)
            r.setHeight(r.height() + delta);
        else if (placed.anchor == Anchor::Bottom)
            r.translate(0, delta);
        // Straight to the widget: a layout item would bound the rectangle by the control's
        // size policy, and a fixed-size tool button would shrink to its hint.
        if (QWidget* control = placed.item->widget())
            control->setGeometry(r);
        else
            placed.item->setGeometry(r);
    }
}

QFont systemFont(int pixelSize)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace windows
