// How the export asks a person which book to export and to which file, so
// that the document's export runs headless and tests can script the answer.
#pragma once

#include <QString>

#include <optional>

// The book to export: the PC fax members, the machine's fax speed dials or
// its email addresses.
enum ExportSource : qint32 {
    ExportSourcePcFax = 0,
    ExportSourceAioFax = 1,
    ExportSourceAioEmail = 2,
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
