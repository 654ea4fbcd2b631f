// Comma-separated text, one record (one row) at a time. The reader takes its
// bytes from a ByteSource (a file or a memory buffer), the writer gives them
// to a ByteSink; text is converted by the file's encoding.
#pragma once

#include "core/ansi_code_page.h"
#include "formats/byte_sink.h"
#include "formats/byte_source.h"

#include <QStringList>

#include <cstdint>

class CCSVFile {
public:
    enum Encoding : int {
        EncodingNotSet = 0,  // lines are neither read nor written
        EncodingAnsi = 1,    // the system ANSI code page
        EncodingUtf8 = 2,
        EncodingUtf16LE = 3,  // recognised, not readable
        EncodingUtf16BE = 4,  // recognised, not readable
    };

    // What readRecord and writeRecord return when memory runs out.
    static constexpr int32_t kOutOfMemory = INT32_MIN;

    explicit CCSVFile(abif::ByteSource &source);
    explicit CCSVFile(abif::ByteSink &sink);

    [[nodiscard]] Encoding encoding() const { return encoding_; }
    void setEncoding(Encoding encoding) { encoding_ = encoding; }

    // Decides the encoding from the first bytes and skips a UTF-8 byte-order
    // mark; false when the file is in an encoding that cannot be read.
    bool detectEncoding();
    // The next line without its line end; false at the end of the file or
    // when the encoding is not readable. Throws FileError.
    bool readLine(QString &line);
    // Converts `text` by the encoding and writes it; nothing is written in an
    // encoding that cannot be written. Throws FileError.
    void writeText(QStringView text);

    // The fields of the next record: their number, -1 at the end of the file
    // (also inside an unfinished quoted field), or kOutOfMemory. Throws FileError.
    int32_t readRecord(QStringList &fields);
    // Writes the fields as one line ended by CR LF: their number, or
    // kOutOfMemory. Throws FileError.
    int32_t writeRecord(const QStringList &fields);

private:
    bool readFields(QStringList &fields);

    abif::ByteSource *source_ = nullptr;
    abif::ByteSink *sink_ = nullptr;
    Encoding encoding_ = EncodingNotSet;
    abif::AnsiDecoder ansi_;
    QStringDecoder utf8_{QStringDecoder::Utf8, QStringDecoder::Flag::Stateless};
    QByteArray lineBytes_;
};
