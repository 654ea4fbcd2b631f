#include "core/ansi_code_page.h"

#include <QStringEncoder>

#include <langinfo.h>
#include <locale.h>

namespace abif {

namespace {

constexpr const char *kUtf8 = "UTF-8";
constexpr const char *kWindows1252 = "windows-1252";

QByteArray usableCharset(const QByteArray &localeCharset) {
    // glibc names the C locale's charset ANSI_X3.4-1968 (ASCII).
    if (localeCharset.isEmpty() || localeCharset == "ANSI_X3.4-1968" || localeCharset == "ASCII")
        return kUtf8;
    if (QStringConverter::encodingForName(localeCharset.constData()) == QStringConverter::Utf8) return kUtf8;
    return QStringEncoder(localeCharset.constData()).isValid() ? localeCharset : QByteArray(kUtf8);
}

// The environment's charset even when the program never called setlocale().
QByteArray environmentCharset() {
    locale_t locale = newlocale(LC_CTYPE_MASK, "", locale_t{});
    if (!locale) return {};
    QByteArray charset(nl_langinfo_l(CODESET, locale));
    freelocale(locale);
    return charset;
}

}  // namespace

AnsiCodePage::AnsiCodePage(const QByteArray &localeCharset) : charset_(usableCharset(localeCharset)) {}

QByteArray AnsiCodePage::encode(QStringView text) const {
    QStringEncoder encoder(charset_.constData());
    QByteArray bytes = encoder.encode(text);
    if (!encoder.hasError() || charset_ == kUtf8) return bytes;
    // Other converters substitute 0x1A, which ends a text file for Windows
    // programs; Windows itself writes "?". Redo it character by character.
    bytes.clear();
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        QStringEncoder one(charset_.constData());
        const QByteArray encoded = one.encode(text.mid(i, n));
        bytes += one.hasError() || encoded.isEmpty() ? QByteArray("?") : encoded;
        i += n;
    }
    return bytes;
}

const AnsiCodePage &systemAnsiCodePage() {
    static const AnsiCodePage codePage(environmentCharset());
    return codePage;
}

AnsiDecoder::AnsiDecoder(const AnsiCodePage &codePage)
    : locale_(codePage.charset().constData(), QStringDecoder::Flag::Stateless),
      fallback_(kWindows1252, QStringDecoder::Flag::Stateless) {}

QString AnsiDecoder::decode(QByteArrayView bytes) {
    if (!windows1252_) {
        locale_.resetState();
        QString text = locale_.decode(bytes);
        if (!locale_.hasError()) return text;
        windows1252_ = true;
    }
    return fallback_.decode(bytes);
}

}  // namespace abif
