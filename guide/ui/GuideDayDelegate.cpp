#include "GuideDayDelegate.h"

#include "guide/GuideDay.h"
#include "widgets/MarkBoxes.h"

#include <QApplication>
#include <QPainter>

namespace {

constexpr int kMargin = 4;
constexpr int kCaptionGap = 16;

QFont dayFont(const QFont& base) {
    QFont font(base);
    font.setBold(true);
    font.setItalic(true);
    return font;
}

// The tasks start at the same place on every entry: after the longest day caption.
int captionWidth(const QFont& base) {
    return QFontMetrics(dayFont(base)).horizontalAdvance(QString::fromUtf8("miércoles, 00/00/0000"));
}

} // namespace

void GuideDayDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    opt.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const GuideDay day = GuideDay::fromLine(index.data(kLineRole).toString());
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const QColor ink = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    const QRect area = option.rect.adjusted(kMargin, kMargin, -kMargin, -kMargin);
    const int lineHeight = option.fontMetrics.height();

    painter->save();
    painter->setPen(ink);
    const QFont bold = dayFont(option.font);
    painter->setFont(bold);
    const QString caption = day.caption();
    const int dayWidth = captionWidth(option.font);
    painter->drawText(QRect(area.left(), area.top(), dayWidth, lineHeight), Qt::AlignLeft | Qt::AlignVCenter, caption);

    painter->setFont(option.font);
    const int tasksLeft = area.left() + dayWidth + kCaptionGap;
    for (int i = 0; i < kGuideTaskCount; ++i) {
        const auto task = static_cast<GuideTask>(i);
        const int top = area.top() + i * lineHeight;
        const QRect box(tasksLeft, top, lineHeight, lineHeight);
        paintMarkBoxes(painter, box, QString::fromUtf8(day.ticked(task) ? "þ" : "¨"), ink);
        painter->drawText(QRect(box.right() + kMargin, top, area.right() - box.right(), lineHeight),
                          Qt::AlignLeft | Qt::AlignVCenter, listCaption(task));
    }
    painter->setPen(QColor(Qt::lightGray));
    painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    painter->restore();
}

QSize GuideDayDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    const int lineHeight = option.fontMetrics.height();
    int widest = 0;
    for (int i = 0; i < kGuideTaskCount; ++i)
        widest = std::max(widest, option.fontMetrics.horizontalAdvance(listCaption(static_cast<GuideTask>(i))));
    const int width = captionWidth(option.font) + kCaptionGap + lineHeight + kMargin + widest + 2 * kMargin;
    return {width, kGuideTaskCount * lineHeight + 2 * kMargin + 1};
}
