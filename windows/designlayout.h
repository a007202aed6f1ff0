#pragma once

#include <QRect>
#include <QWidget>
#include <vector>

namespace windows {

// Which edges of the area a control keeps its distance to when the height changes.
enum class Anchor
{
    Top,         // stays where it is
    TopAndBottom, // stretches with the height
    Bottom,      // moves with the bottom edge
};

// An area of fixed width whose controls keep the rectangles they were designed at, moved or
// stretched by the change of height. Each resize places them from their design rectangles, so
// no rounding or history creeps in.
class DesignLayout final : public QWidget
{
public:
    DesignLayout(QSize designSize, int minimumHeight, int maximumHeight, QWidget* parent);

    void place(QWidget* control, const QRect& design, Anchor anchor);
    QSize sizeHint() const override { return m_designSize; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Placed
    {
        QWidget* control;
        QRect design;
        Anchor anchor;
    };
    void apply(const Placed& placed) const;

    QSize m_designSize;
    std::vector<Placed> m_placed;
};

} // namespace windows
