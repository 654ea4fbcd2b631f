// What the entry dialog tests share: a data set of every book, a scripted
// prompt, and the way to press OK and see what happened.
#pragma once

#include "dialogs/entry_dialog.h"
#include "model/model_builders.h"
#include "support/scripted_prompt.h"
#include "text/editor_text.h"

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace test {

// Two fax speed dials in a group, an email address, a PC fax member in a
// group; named so that duplicates can be made on purpose.
inline CAdrData bookData() {
    CAdrData data;
    data.StoreCopy(aioFax(1, QStringLiteral("Head Office"), QStringLiteral("0311112222")));
    data.StoreCopy(aioFax(2, QStringLiteral("Warehouse"), QStringLiteral("0333334444")));
    data.StoreCopy(group<CAdrGroupAioFax>(1, {1, 2}, QStringLiteral("Sites")));
    CAdrMemberAioEmail email = aioEmail(3, QStringLiteral("sales@example.com"));
    email.SetName(QStringLiteral("Sales"));
    data.StoreCopy(email);
    CAdrMemberPcFax member = pcFax(10, QStringLiteral("Printer Shop"));
    member.SetFaxNumber(QStringLiteral("0355556666"));
    data.StoreCopy(member);
    data.StoreCopy(group<CAdrGroupPcFax>(4, {10}, QStringLiteral("Suppliers")));
    return data;
}

// Presses OK: true when the dialog closed with OK.
inline bool pressOk(CDlgEntry &dialog) {
    dialog.setResult(QDialog::Rejected);
    dialog.accept();
    return dialog.result() == QDialog::Accepted;
}

// Runs `act` on the modal dialog as soon as it is shown.
inline void whenShown(const std::function<void(QDialog &)> &act) {
    QTimer::singleShot(0, [act] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
    });
}

inline QString text(int id) { return lqa::formatText(id, {}); }

}  // namespace test
