#pragma once

#include <QFont>
#include <QLayout>
#include <QRect>
#include <span>
#include <vector>

namespace windows {

// Which edges of the area a control keeps its distance to when the height changes.
enum class Anchor
{
    Top,          // stays where it is
    TopAndBottom, // stretches with the height
    Bottom,       // moves with the bottom edge
};

// One control of a window's design: the child of that name, its rectangle in its parent's
// coordinates at the design size, and the edges it keeps to.
struct Placement
{
    const char* name;
    QRect design;
    Anchor anchor = Anchor::Top;
};

// Lays out an area of fixed width whose controls keep the rectangles they were designed at,
// moved or stretched by the change of height. Each change places them from their design
// rectangles, so no rounding or history creeps in. The rectangles are in the area's own
// coordinates, whatever margins it keeps (a group box's title).
class DesignLayout final : public QLayout
{
    Q_OBJECT
public:
    // The layout of `area`, designed at `designSize`; its height may range from
    // `minimumHeight` to `maximumHeight`.
    DesignLayout(QWidget* area, QSize designSize, int minimumHeight, int maximumHeight);
    // The layout of an area that keeps its design size.
    DesignLayout(QWidget* area, QSize designSize);
    ~DesignLayout() override;

    // Places the area's children named in `table`. A child of a box among them is placed in
    // that box, which gets a layout of its own, designed at the box's rectangle.
    void placeAll(std::span<const Placement> table);
    void place(QWidget* control, const QRect& design, Anchor anchor);

    // An item added the generic way stays where it is.
    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    QSize maximumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    struct Placed
    {
        QLayoutItem* item;
        QRect design;
        Anchor anchor;
    };

    QSize m_designSize;
    int m_minimumHeight;
    int m_maximumHeight;
    std::vector<Placed> m_placed;
};

// The desktop's general font at a size in pixels. The design rectangles are in pixels; the
// same numbers taken as points overflow them on most screens.
QFont systemFont(int pixelSize);

} // namespace windows
