#include "model/adr_member.h"

#include <QDateTime>
#include <QLocale>

QString CAdrMember::GetIDString() const { return QStringLiteral("%1").arg(m_id, 3, 10, QLatin1Char('0')); }

void CAdrMember::AssignID(quint16 id, quint16 maxId) {
    if (id < 1 || id > maxId) AdrThrowBadArgument();
    m_id = id;
}

bool CAdrMemberAioFax::IsEqual(const CAdrMemberAioFax *other) const {
    return other && BaseEqual(*other) && m_faxNumber == other->m_faxNumber;
}

bool CAdrMemberAioEmail::IsEqual(const CAdrMemberAioEmail *other) const {
    return other && BaseEqual(*other) && m_emailAddress == other->m_emailAddress;
}

void CAdrMemberAioServer::SetServerType(quint16 type) {
    if (type != kTypeFtp && type != kTypeSmb) AdrThrowBadArgument();
    m_serverType = type;
}

bool CAdrMemberAioServer::IsEqual(const CAdrMemberAioServer *other) const {
    return other && BaseEqual(*other) && m_serverType == other->m_serverType && m_hostName == other->m_hostName &&
           m_loginName == other->m_loginName && m_loginPassword == other->m_loginPassword &&
           m_folderPath == other->m_folderPath && m_shareName == other->m_shareName &&
           m_portNumber == other->m_portNumber;
}

bool CAdrMemberPcFax::IsEqual(const CAdrMemberPcFax *other) const {
    return other && BaseEqual(*other) && m_faxNumber == other->m_faxNumber && m_company == other->m_company &&
           m_note == other->m_note && m_commMode == other->m_commMode;
}

QString CAdrMemberPcFax::GetUpdatedOnText() const { return AdrUpdatedOnText(m_updatedOn); }

QString AdrUpdatedOnText(qint64 seconds) {
    if (seconds == 0) return {};
    const QDateTime local = QDateTime::fromSecsSinceEpoch(seconds).toLocalTime();
    const QLocale locale;
    return QStringLiteral("%1 %2").arg(locale.toString(local.date(), QLocale::ShortFormat),
                                       locale.toString(local.time(), QLocale::ShortFormat));
}
