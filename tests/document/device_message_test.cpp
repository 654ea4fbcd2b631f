// The message after a machine save, by editor code.
#include "document/adr_io_result.h"
#include "document/linquara_doc_messages.h"
#include "text/editor_text.h"

#include <gtest/gtest.h>

namespace {

TEST(DeviceMessage, eachCodeHasItsMessageAndAnUnreachableMachineOnlyWhileConnected) {
    const QString unreachable =
        QStringLiteral("Unable to connect to the machine.\nThe cable may be disconnected, or the power may be off.");
    struct Case {
        quint16 code;
        QString connected;
    };
    const Case cases[] = {
        {AdrIoOk, {}},
        {AdrIoCancelled, {}},
        {AdrIoDriverBusy,
         QStringLiteral("The Machine Address Book cannot be accessed when the machine is being used.")},
        {AdrIoMachineBusy,
         QStringLiteral("Cannot save because Address Book is being used by the machine.\n"
                        "Wait a while and then try again.")},
        {AdrIoChecksumFailed, QStringLiteral("Data maybe corrupted or incorrect format.")},
        {AdrIoPartlyWritten,
         QStringLiteral("Failed to save the fax changes\nOf changed IDs, because some have been configured as "
                        "Delayed Start. \nReconfigure them after completing the Delayed Start.")},
        {AdrIoEmptyFaxGroup,
         QStringLiteral("Cannot save because some groups have no member.\nConfirm every group has a member.")},
        {AdrIoWriteFailed, unreachable},
        {AdrIoStatusFailed, unreachable},
        {AdrIoPasswordFailed, QStringLiteral("The password was not accepted by the machine.")},
        {AdrIoNoFaxSlots, unreachable},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(DeviceMessage(c.code, true), c.connected) << c.code;
        // Only the reachability is hidden while disconnected; the machine's own answers are not.
        const QString offline = c.connected == unreachable ? QString() : c.connected;
        EXPECT_EQ(DeviceMessage(c.code, false), offline) << c.code;
    }
}

}  // namespace
