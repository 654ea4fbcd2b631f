// The read-only pane under the list: the one selected entry as caption and
// value rows, its identity in bold above a dividing line, then its other
// fields and its groups or members. Empty unless exactly one row is selected.
#pragma once

#include "model/adr_data.h"

#include <QFont>
#include <QList>
#include <QScrollArea>
#include <QStringList>

#include <vector>

class CNoCaretEdit;
class QFrame;

class CLqaDetailView : public QScrollArea {
    Q_OBJECT
public:
    // What a layout request asks for beyond placing the fields.
    enum LayoutFlag : int {
        LayoutRecreateFonts = 0x1,
        LayoutRecreateFields = 0x2,
    };

    explicit CLqaDetailView(QWidget *parent = nullptr);
    ~CLqaDetailView() override;

    // The list's entry point on every selection change: shows the entry of
    // the one selected row as `data` holds it, or empties the pane when none
    // or several rows are selected or the entry no longer exists.
    void ShowSelection(const CAdrData &data, const QList<quint32> &rowCodes);
    // Replaces the shown content: `kind` as a row code's kind bits, `lines`
    // captions and values in pairs.
    void ShowEntry(quint32 kind, const QStringList &lines);
    void Clear();

    [[nodiscard]] quint32 EntryKind() const { return m_entryKind; }
    [[nodiscard]] const QStringList &Lines() const { return m_lines; }

    // The field of line `index` once laid out; null beyond the fields made.
    [[nodiscard]] CNoCaretEdit *Field(int index) const;
    [[nodiscard]] QFrame *DividingLine() const { return m_line; }

    // Several requests before the next turn of the event loop cause one
    // layout, with all their flags.
    void RequestLayout(int flags);

signals:
    // After every layout; the fields' places and texts are final.
    void laidOut();

protected:
    bool event(QEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void LayOut(int flags);
    void MakeFonts();
    void FillFields();
    void PlaceFields();

    quint32 m_entryKind = 0;
    QStringList m_lines;
    QWidget *m_canvas;
    QFrame *m_line;
    std::vector<CNoCaretEdit *> m_fields;  // kept for reuse; the surplus is hidden
    int m_filledLines = 0;  // the fields holding the current lines
    QFont m_normalFont;
    QFont m_boldFont;
    int m_pendingFlags = 0;
    bool m_layoutPosted = false;
    bool m_placing = false;
    bool m_scrollToTop = false;
};
