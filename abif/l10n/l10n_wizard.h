// Bases of the library's wizard and its pages: titles and buttons from the
// string tables in the caller's language, right to left for Hebrew and
// Arabic, and a Help button only when a help file is set.
#pragma once

#include <QWizard>
#include <QWizardPage>

#include <cstdint>

namespace abif {

class CL10NPropPage : public QWizardPage {
    Q_OBJECT
public:
    CL10NPropPage(int titleId, int subTitleId, uint32_t helpContext, int32_t language, QWidget *parent = nullptr);

    [[nodiscard]] int32_t language() const { return language_; }
    [[nodiscard]] uint32_t helpContext() const { return helpContext_; }
    [[nodiscard]] QString text(int id) const;

private:
    const int32_t language_;
    const uint32_t helpContext_;
};

class CL10NPropSheet : public QWizard {
    Q_OBJECT
public:
    CL10NPropSheet(int captionId, int32_t language, QWidget *parent = nullptr);

    [[nodiscard]] int32_t language() const { return language_; }
    [[nodiscard]] QString text(int id) const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showPageHelp() const;

    const int32_t language_;
};

}  // namespace abif
