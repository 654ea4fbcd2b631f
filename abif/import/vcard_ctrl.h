// Imports from vCard files: one .vcf file, or every .vcf of the user's
// personal contacts folder when no file is named.
#pragma once

#include "import/mapi_ctrl.h"

class CVCardCtrl : public CMapiCtrl {
public:
    // ~/.local/share/contacts, or its place under XDG_DATA_HOME.
    static QString defaultFolder();

protected:
    int32_t open(const QString &path) override;
    void close() override {}
};
