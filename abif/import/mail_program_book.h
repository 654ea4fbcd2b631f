// The mail program's address book on this desktop: Thunderbird's
// abook.sqlite of its default profile, else Evolution's personal address
// book. Both are SQLite databases the running mail program keeps open, so
// they are only ever read, in one short read-only pass.
#pragma once

#include "import/contact_book.h"
#include "import/mapi_ctrl.h"

#include <optional>

namespace abif {

struct MailProgramBookFile {
    enum class Program { Thunderbird, Evolution } program;
    QString path;
};

// Where to look: the home folder and the user's data folder (XDG_DATA_HOME).
struct MailProgramPlaces {
    QString home;
    QString dataHome;
};

MailProgramPlaces userPlaces();
std::optional<MailProgramBookFile> findMailProgramBook(const MailProgramPlaces &places);

// ABIF_OK with the book's people and lists added to `book`, or ABIF_E_FAIL.
int32_t readThunderbirdBook(const QString &path, ContactBook &book);
int32_t readEvolutionBook(const QString &path, ContactBook &book);

}  // namespace abif

class CMailProgramCtrl : public CMapiCtrl {
public:
    explicit CMailProgramCtrl(abif::MailProgramPlaces places = abif::userPlaces());
    // The source is offered only when a book is found.
    static bool isAvailable(const abif::MailProgramPlaces &places = abif::userPlaces());

protected:
    // The path is not used: the mail program's own book is read.
    int32_t open(const QString &path) override;
    void close() override {}

private:
    abif::MailProgramPlaces places_;
};
