// The document's import and export commands. Both work on a copy of the
// current snapshot; only a successful import that brought entries becomes a
// step, so a failed or cancelled command leaves the books as they were.
#include "document/document_prompt.h"
#include "document/export_source_chooser.h"
#include "document/linquara_doc.h"
#include "text/editor_text.h"

namespace {

// Whether the book an import went to now holds any entry.
bool holdsEntries(const CAdrData &data, ImportedKind kind) {
    switch (kind) {
    case ImportedPcFax: return !data.Map<CAdrMemberPcFax>().IsEmpty();
    case ImportedAioFax: return !data.Map<CAdrMemberAioFax>().IsEmpty();
    case ImportedNothing: break;
    }
    return false;
}

}  // namespace

void CLinquaraDoc::OnImport() {
    const BusyScope busy(*this);
    CAdrData working;
    if (!m_history.CopyCurrent(&working)) return;
    // The wizard never hands over more records than can get IDs; PC fax
    // members always take the first free IDs, so count them that way.
    const AdrIdMode machineMode = MachineIdMode();
    const int freePcFax = working.CountFreeIDs(AdrKindPcFax, AdrIdFirstGap);
    const int freeFax = m_machineConnected ? working.CountFreeIDs(AdrKindAioFax, machineMode) : 0;
    ImportedKind kind = ImportedNothing;
    const quint16 code = m_io.Import(working, m_machineConnected, machineMode, freePcFax, freeFax, kind);
    if (code != AdrIoOk) {
        if (code != AdrIoCancelled) ShowFailure(lqa::ids::MsgCannotReadFile);
        return;
    }
    if (holdsEntries(working, kind) && m_history.Begin()) {
        m_history.BringIn(CAdrHistory::kAllKinds, CAdrHistory::BringInMarkDifferences, working);
        CommitStep(false);
        if (kind == ImportedPcFax)
            SetPcFaxModified(true);
        else
            SetMachineModified(true);
    }
    Inform(lqa::ids::MsgImportCompleted);
}

void CLinquaraDoc::OnExport() {
    const BusyScope busy(*this);
    CAdrData working;
    if (!m_exportChooser || !m_history.CopyCurrent(&working)) return;
    const quint16 code = m_io.Export(working, m_machineConnected, *m_exportChooser);
    if (code == AdrIoOk)
        Inform(lqa::ids::MsgExportCompleted);
    else if (code != AdrIoCancelled)
        ShowFailure(lqa::ids::MsgCannotWriteFile);
}
