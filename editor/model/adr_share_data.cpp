#include "model/adr_share_data.h"

void CAdrShareData::CopyFrom(const CAdrShareData *source) {
    if (!source) AdrThrowBadArgument();
    *this = *source;
}

bool CAdrShareData::IsEqual(const CAdrShareData *other, int mode) const {
    if (!other) return false;
    const bool sameContent = isShared == other->isShared && autoShare == other->autoShare &&
                             createScanUser == other->createScanUser && hostName == other->hostName &&
                             shareName == other->shareName && localFolder == other->localFolder &&
                             serverPath == other->serverPath && loginName == other->loginName &&
                             loginPassword == other->loginPassword;
    if (mode == kCompareContentOnly) return sameContent;
    return sameContent && recordId == other->recordId && serverId == other->serverId;
}
