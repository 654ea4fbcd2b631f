// The wizard's CSV page: which column of the file fills which field.
#pragma once

#include "import/csv_import.h"
#include "l10n/l10n_wizard.h"

#include <QStringList>

#include <array>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace abif {

class CImportWizard;

class CImportCSVWizPage : public CL10NPropPage {
    Q_OBJECT
public:
    static constexpr uint32_t kHelpTopic = 100000;

    explicit CImportCSVWizPage(CImportWizard &wizard);

    void initializePage() override;
    void cleanupPage() override {}
    bool validatePage() override;
    int nextId() const override;


private:
    struct FieldRow {
        QLabel *caption;
        QPushButton *button;
        QLineEdit *column;
    };
    // The source, path and destination of a visit.
    struct Visit {
        int32_t source;
        QString path;
        int32_t destination;
        friend bool operator==(const Visit &, const Visit &) = default;
    };

    void fieldButtonClicked(int field);
    void showAssignments();
    void fillColumns(const QStringList &header);
    [[nodiscard]] QString missingFieldsMessage(const QList<int> &missing) const;
    // ReadCsvAll behind the progress dialog.
    int32_t readRows(const CsvReading &reading);
    void showMessage(const QString &message) const;

    CImportWizard &wizard_;
    std::array<FieldRow, kImportFieldCount> rows_;
    QListWidget *columns_;
    QCheckBox *firstRowIsTitle_;
    QStringList header_;
    CCsvColumnMapping mapping_;
    std::optional<Visit> lastVisit_;
    // What the parsed rows were read with; none when they must be read.
    std::optional<CsvReading> lastReading_;
};

}  // namespace abif
