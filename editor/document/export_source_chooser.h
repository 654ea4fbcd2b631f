// How the export asks a person which book to export and to which file, so
// that the document's export runs headless and tests can script the answer.
#pragma once

#include <QString>

#include <optional>

// The book to export: the PC fax members or the machine's fax speed dials.
// This model stores no email addresses at the machine, so none are offered.
enum ExportSource : qint32 {
    ExportSourcePcFax = 0,
    ExportSourceAioFax = 1,
};

struct ExportChoice {
    qint32 source = ExportSourcePcFax;
    QString fileName;
};

class ExportSourceChooser {
public:
    virtual ~ExportSourceChooser() = default;
    // Nothing when the person cancelled. Without machine data only the PC fax
    // book can be chosen.
    virtual std::optional<ExportChoice> ChooseExportSource(bool machineAvailable) = 0;
};
