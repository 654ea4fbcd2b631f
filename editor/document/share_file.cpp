#include "document/share_file.h"

#include "abiflink.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QtEndian>

#include <optional>

namespace {

// Every block is preceded by its plain length, enciphered on its own.
constexpr qint64 kLengthFieldSize = 8;
// Far above any real block; a larger length means the file is damaged.
constexpr quint32 kMaxBlockSize = 64 * 1024;

QByteArray cipherKey() {
    QByteArray key = QByteArrayLiteral("MopVexa");
    key.append('\0');  // the terminator is part of the key
    return key;
}

qsizetype roundedUp(qsizetype n) { return (n + 7) / 8 * 8; }

QByteArray encipher(const QByteArray &plain) {
    const QByteArray key = cipherKey();
    QByteArray out(roundedUp(plain.size()), '\0');
    Abif_Encode(reinterpret_cast<const uint8_t *>(key.constData()), static_cast<int32_t>(key.size()),
                reinterpret_cast<uint8_t *>(out.data()), reinterpret_cast<const uint8_t *>(plain.constData()),
                static_cast<int32_t>(plain.size()));
    return out;
}

QByteArray decipher(const QByteArray &enciphered) {
    const QByteArray key = cipherKey();
    QByteArray out(enciphered.size(), '\0');
    Abif_Decode(reinterpret_cast<const uint8_t *>(key.constData()), static_cast<int32_t>(key.size()),
                reinterpret_cast<uint8_t *>(out.data()), reinterpret_cast<const uint8_t *>(enciphered.constData()),
                static_cast<int32_t>(enciphered.size()));
    return out;
}

QByteArray encipherBlock(const QByteArray &plain) {
    QByteArray length(4, '\0');
    qToLittleEndian(static_cast<quint32>(plain.size()), length.data());
    return encipher(length) + encipher(plain);
}

// The plain bytes of the next block; nothing when the file ends early or the
// length is implausible.
std::optional<QByteArray> readBlock(QFile &file) {
    const QByteArray lengthField = file.read(kLengthFieldSize);
    if (lengthField.size() != kLengthFieldSize) return std::nullopt;
    const quint32 length = qFromLittleEndian<quint32>(decipher(lengthField).constData());
    if (length > kMaxBlockSize) return std::nullopt;
    const QByteArray body = file.read(roundedUp(length));
    if (body.size() != roundedUp(length)) return std::nullopt;
    return decipher(body).left(length);
}

class BlockWriter {
public:
    BlockWriter() : m_stream(&m_bytes, QIODevice::WriteOnly) { m_stream.setByteOrder(QDataStream::LittleEndian); }
    BlockWriter &operator<<(quint8 v) { m_stream << v; return *this; }
    BlockWriter &operator<<(quint16 v) { m_stream << v; return *this; }
    BlockWriter &operator<<(const QString &text) {
        const QByteArray bytes = text.toLocal8Bit();
        m_stream << static_cast<quint32>(bytes.size());
        m_stream.writeRawData(bytes.constData(), static_cast<int>(bytes.size()));
        return *this;
    }
    [[nodiscard]] const QByteArray &bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
    QDataStream m_stream;
};

// Reads fields of one plain block; ok() turns false at the first field that
// runs past the block's end.
class BlockReader {
public:
    explicit BlockReader(const QByteArray &block) : m_block(block), m_stream(m_block) {
        m_stream.setByteOrder(QDataStream::LittleEndian);
    }
    BlockReader &operator>>(quint8 &v) { m_stream >> v; return *this; }
    BlockReader &operator>>(quint16 &v) { m_stream >> v; return *this; }
    BlockReader &operator>>(QString &text) {
        quint32 length = 0;
        m_stream >> length;
        if (!ok() || length > static_cast<quint32>(m_block.size())) {
            m_stream.setStatus(QDataStream::ReadPastEnd);
            return *this;
        }
        QByteArray bytes(static_cast<qsizetype>(length), '\0');
        if (m_stream.readRawData(bytes.data(), static_cast<int>(length)) != static_cast<int>(length)) {
            m_stream.setStatus(QDataStream::ReadPastEnd);
            return *this;
        }
        text = QString::fromLocal8Bit(bytes);
        return *this;
    }
    [[nodiscard]] bool ok() const { return m_stream.status() == QDataStream::Ok; }

private:
    QByteArray m_block;
    QDataStream m_stream;
};

QByteArray headerBlock(const ScanUserState &state, quint16 count) {
    BlockWriter w;
    w << QString::fromLatin1(CShareFile::kVersion) << state.created << state.name << state.password << count;
    return w.bytes();
}

QByteArray recordBlock(const CAdrShareData &r) {
    BlockWriter w;
    w << r.isShared << r.autoShare << r.serverId << r.hostName << r.serverPath << r.shareName << r.localFolder
      << r.loginName << r.loginPassword;
    return w.bytes();
}

std::optional<CAdrShareData> parseRecord(const QByteArray &block) {
    CAdrShareData r;
    BlockReader in(block);
    in >> r.isShared >> r.autoShare >> r.serverId >> r.hostName >> r.serverPath >> r.shareName >> r.localFolder >>
        r.loginName >> r.loginPassword;
    if (!in.ok()) return std::nullopt;
    return r;
}

}  // namespace

QString CShareFile::DefaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Velmorante/Quillabrex K7710_K7910/Linquara/Data.dat");
}

CShareFile::ReadResult CShareFile::Read(const QString &path, ScanUserState *state,
                                         CAdrArray<CAdrShareData> *records) {
    QFile file(path);
    if (!file.exists()) return ReadResult::Missing;
    if (!file.open(QIODevice::ReadOnly)) return ReadResult::Defect;

    const std::optional<QByteArray> header = readBlock(file);
    if (!header) return ReadResult::Defect;
    BlockReader in(*header);
    QString version;
    in >> version;
    if (!in.ok()) return ReadResult::Defect;
    if (version != QLatin1String(kVersion)) return ReadResult::OtherVersion;
    ScanUserState readState;
    quint16 count = 0;
    in >> readState.created >> readState.name >> readState.password >> count;
    if (!in.ok()) return ReadResult::Defect;

    CAdrArray<CAdrShareData> readRecords;
    readRecords.reserve(count);
    for (quint16 i = 0; i < count; ++i) {
        const std::optional<QByteArray> block = readBlock(file);
        if (!block) return ReadResult::Defect;
        std::optional<CAdrShareData> record = parseRecord(*block);
        if (!record) return ReadResult::Defect;
        readRecords.push_back(*record);
    }
    *state = readState;
    *records = std::move(readRecords);
    return ReadResult::Read;
}

bool CShareFile::Write(const QString &path, const ScanUserState &state, const CAdrArray<CAdrShareData> &records) {
    QByteArray body;
    quint16 count = 0;
    for (const CAdrShareData &r : records) {
        if (!IsWritten(r)) continue;
        body += encipherBlock(recordBlock(r));
        ++count;
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    // Before any byte is written: the file holds passwords.
    if (!file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) return false;
    file.write(encipherBlock(headerBlock(state, count)));
    file.write(body);
    return file.commit();
}
