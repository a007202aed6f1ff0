#include "windows/designlayout.h"

namespace windows {

DesignLayout::DesignLayout(QSize designSize, int minimumHeight, int maximumHeight,
                           QWidget* parent)
    : QWidget(parent), m_designSize(designSize)
{
    setFixedWidth(designSize.width());
    setMinimumHeight(minimumHeight);
    setMaximumHeight(maximumHeight);
    resize(designSize);
}

void DesignLayout::place(QWidget* control, const QRect& design, Anchor anchor)
{
    m_placed.push_back({control, design, anchor});
    apply(m_placed.back());
}

void DesignLayout::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    for (const Placed& placed : m_placed)
        apply(placed);
}

void DesignLayout::apply(const Placed& placed) const
{
    const int delta = height() - m_designSize.height();
    QRect r = placed.design;
    if (placed.anchor == Anchor::TopAndBottom)
        r.setHeight(r.height() + delta);
    else if (placed.anchor == Anchor::Bottom)
        r.translate(0, delta);
    placed.control->setGeometry(r);
}

} // namespace windows
