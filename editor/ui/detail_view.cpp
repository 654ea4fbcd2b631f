#include "ui/detail_view.h"

#include "ui/detail_lines.h"
#include "ui/no_caret_edit.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QScrollBar>

#include <algorithm>
#include <utility>

namespace {

const QEvent::Type kLayoutEvent = static_cast<QEvent::Type>(QEvent::User + 0x4C8);

constexpr int kMargin = 10;
constexpr int kColumnGap = 5;
constexpr int kRowGap = 5;
constexpr int kGapBelowLine = 10;
constexpr int kColumnsLessMargins = 25;  // both margins and the gap between the columns
constexpr int kCaptionPercent = 30;
constexpr int kIdentityRows = 2;  // bold, above the dividing line

}  // namespace

CLqaDetailView::CLqaDetailView(QWidget *parent) : QScrollArea(parent), m_canvas(new QWidget), m_line(new QFrame) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWidgetResizable(false);
    setFrameShape(QFrame::NoFrame);
    setBackgroundRole(QPalette::Base);
    m_canvas->setBackgroundRole(QPalette::Base);
    m_canvas->setAutoFillBackground(true);
    m_line->setParent(m_canvas);
    m_line->setFrameShape(QFrame::HLine);
    m_line->setFrameShadow(QFrame::Plain);
    m_line->setLineWidth(1);
    m_line->hide();
    setWidget(m_canvas);
    MakeFonts();
}

CLqaDetailView::~CLqaDetailView() = default;

void CLqaDetailView::ShowSelection(const CAdrData &data, const QList<quint32> &rowCodes) {
    const std::optional<CLqaDetailContent> content =
        rowCodes.size() == 1 ? DetailContentFor(data, rowCodes.constFirst()) : std::nullopt;
    if (content)
        ShowEntry(content->kind, content->lines);
    else
        Clear();
}

void CLqaDetailView::ShowEntry(quint32 kind, const QStringList &lines) {
    // Another entry starts at the top; the same one shown again after a
    // refresh keeps its place.
    if (kind != m_entryKind || lines != m_lines) m_scrollToTop = true;
    m_entryKind = kind;
    m_lines = lines;
    RequestLayout(LayoutRecreateFields);
}

void CLqaDetailView::Clear() { ShowEntry(0, {}); }

CNoCaretEdit *CLqaDetailView::Field(int index) const {
    return index >= 0 && static_cast<size_t>(index) < m_fields.size() ? m_fields[index] : nullptr;
}

void CLqaDetailView::RequestLayout(int flags) {
    m_pendingFlags |= flags;
    if (m_layoutPosted) return;
    m_layoutPosted = true;
    QCoreApplication::postEvent(this, new QEvent(kLayoutEvent));
}

bool CLqaDetailView::event(QEvent *event) {
    if (event->type() != kLayoutEvent) return QScrollArea::event(event);
    const int flags = std::exchange(m_pendingFlags, 0);
    m_layoutPosted = false;
    LayOut(flags);
    return true;
}

bool CLqaDetailView::viewportEvent(QEvent *event) {
    const bool handled = QScrollArea::viewportEvent(event);
    // A resize while placing comes from the scroll bar appearing or going;
    // the fields are placed again for the new width once this layout is done.
    if (event->type() == QEvent::Resize) {
        if (m_placing)
            RequestLayout(0);
        else
            LayOut(0);
    }
    return handled;
}

void CLqaDetailView::changeEvent(QEvent *event) {
    QScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::ApplicationFontChange)
        RequestLayout(LayoutRecreateFonts);
}

void CLqaDetailView::LayOut(int flags) {
    if (flags & LayoutRecreateFonts) MakeFonts();
    if (flags & (LayoutRecreateFonts | LayoutRecreateFields)) FillFields();
    PlaceFields();
    if (std::exchange(m_scrollToTop, false)) verticalScrollBar()->setValue(0);
    emit laidOut();
}

void CLqaDetailView::MakeFonts() {
    m_normalFont = font();
    m_normalFont.setWeight(QFont::Normal);
    m_boldFont = font();
    m_boldFont.setWeight(QFont::Bold);
}

void CLqaDetailView::FillFields() {
    const size_t count = static_cast<size_t>(m_lines.size());
    while (m_fields.size() < count) m_fields.push_back(new CNoCaretEdit(m_canvas));
    for (size_t i = 0; i < m_fields.size(); ++i) {
        CNoCaretEdit *field = m_fields[i];
        if (i >= count) {
            field->hide();
            continue;
        }
        field->setFont(i < 2 * kIdentityRows ? m_boldFont : m_normalFont);
        if (field->toPlainText() != m_lines[i]) field->setPlainText(m_lines[i]);
        field->show();
    }
    m_line->setVisible(count > 0);
    m_filledLines = static_cast<int>(count);
}

void CLqaDetailView::PlaceFields() {
    m_placing = true;
    const int width = viewport()->width();
    const int captionWidth = std::max(1, (width - kColumnsLessMargins) * kCaptionPercent / 100);
    const int valueWidth = std::max(1, width - captionWidth - kColumnsLessMargins);
    const int rows = (m_filledLines + 1) / 2;
    int y = kMargin;
    int bottom = 0;
    for (int row = 0; row < rows; ++row) {
        CNoCaretEdit *caption = m_fields[2 * row];
        CNoCaretEdit *value = 2 * row + 1 < m_filledLines ? m_fields[2 * row + 1] : nullptr;
        const int valueHeight = value ? value->HeightForText(valueWidth) : 0;
        const int height = std::max(caption->HeightForText(captionWidth), valueHeight);
        caption->setGeometry(kMargin, y, captionWidth, height);
        if (value) value->setGeometry(kMargin + captionWidth + kColumnGap, y, valueWidth, valueHeight);
        bottom = y + height;
        y = bottom + kRowGap;
        if (row + 1 == std::min(rows, kIdentityRows)) {
            m_line->setGeometry(kMargin, y, std::max(1, width - 2 * kMargin), 1);
            y += kGapBelowLine;
        }
    }
    m_canvas->resize(width, rows > 0 ? bottom + kMargin : 0);
    m_placing = false;
}
