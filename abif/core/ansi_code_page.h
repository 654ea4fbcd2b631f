// The "system ANSI code page" on Linux, decided here and nowhere else.
//
// Writing: the charset of the user's locale (LC_CTYPE of the environment),
// normally UTF-8. The C and POSIX locales count as UTF-8, as Qt counts them. A
// character the charset cannot represent becomes its replacement character:
// U+FFFD in UTF-8 (only unpaired surrogates), "?" in any other charset.
//
// Reading: office users bring files that Windows programs wrote in
// Windows-1252. Bytes valid in the locale charset are read in it; once a piece
// of a file is not valid in it, that piece and the rest of the same file are
// read as Windows-1252, which gives every byte a character. One file holds one
// charset, so the decision is kept per file (per AnsiDecoder), not per line.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

namespace abif {

class AnsiCodePage {
public:
    // `localeCharset` as nl_langinfo(CODESET) names it.
    explicit AnsiCodePage(const QByteArray &localeCharset);

    // The charset text is converted with (a name Qt knows).
    [[nodiscard]] const QByteArray &charset() const { return charset_; }
    [[nodiscard]] QByteArray encode(QStringView text) const;

private:
    QByteArray charset_;
};

// The code page of this process's user.
const AnsiCodePage &systemAnsiCodePage();

// Reads the pieces of one file (lines, say) in turn.
class AnsiDecoder {
public:
    explicit AnsiDecoder(const AnsiCodePage &codePage = systemAnsiCodePage());

    [[nodiscard]] QString decode(QByteArrayView bytes);
    // True once the file proved not to be in the locale charset.
    [[nodiscard]] bool readsWindows1252() const { return windows1252_; }

private:
    QStringDecoder locale_;
    QStringDecoder fallback_;
    bool windows1252_ = false;
};

}  // namespace abif
