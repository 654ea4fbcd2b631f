// A list of rows over a data set, as the address-book list shows them with
// every column displayed: Type, Member/Group, ID, Name, Member/Group
// Information, Updated On, Fax Number. Selection is a set of rows.
#pragma once

#include "model/model_builders.h"
#include "ui/row_code.h"
#include "ui/search_target.h"

#include <QList>

#include <set>
#include <utility>

namespace test {

class DataSetRows : public CLqaSearchTarget {
public:
    explicit DataSetRows(const CAdrData &data) {
        data.Map<CAdrMemberAioFax>().ForEach([&](const CAdrMemberAioFax &e) {
            add(e, AdrKindAioFax, {"   Fax", "", e.GetIDString(), e.GetName(), e.GetFaxNumber(), "", e.GetFaxNumber()});
        });
        data.Map<CAdrGroupAioFax>().ForEach([&](const CAdrGroupAioFax &g) {
            add(g, AdrKindAioFaxGroup,
                {"   Fax", "   Group", g.GetIDString(), g.GetName(), g.GetMemberCountText(), "", ""});
        });
        data.Map<CAdrMemberPcFax>().ForEach([&](const CAdrMemberPcFax &e) {
            add(e, AdrKindPcFax,
                {"   PC Fax Address Book", "", "", e.GetName(), e.GetFaxNumber(), e.GetUpdatedOnText(),
                 e.GetFaxNumber()});
        });
        data.Map<CAdrGroupPcFax>().ForEach([&](const CAdrGroupPcFax &g) {
            add(g, AdrKindPcFaxGroup,
                {"   PC Fax Address Book", "   Group", "", g.GetName(), g.GetMemberCountText(), g.GetUpdatedOnText(),
                 ""});
        });
    }

    [[nodiscard]] int RowCount() const override { return static_cast<int>(m_rows.size()); }
    [[nodiscard]] QStringList RowTexts(int row) const override { return m_rows.at(row).second; }
    [[nodiscard]] int FirstSelectedRow() const override { return selected.empty() ? -1 : *selected.begin(); }
    void SelectFoundRow(int row) override {
        selected = {row};
        ++selections;
    }

    [[nodiscard]] quint32 Code(int row) const { return m_rows.at(row).first; }
    [[nodiscard]] QList<quint32> SelectedCodes() const {
        QList<quint32> codes;
        for (int row : selected) codes << Code(row);
        return codes;
    }

    std::set<int> selected;
    int selections = 0;

private:
    template <class Entry>
    void add(const Entry &e, quint32 kind, const QStringList &texts) {
        m_rows.emplace_back(LqaRowCode(kind, e.GetID()), texts);
    }

    std::vector<std::pair<quint32, QStringList>> m_rows;
};

// Rows: 0 fax 1 "Tanaka", 1 fax 2 "Sato", 2 fax 12 "Kobayashi", 3 fax group 1
// "Sales", 4 PC fax 3 "Tanabe", 5 PC fax group 2 "Branch".
inline CAdrData officeBook() {
    CAdrData d;
    d.StoreCopy(test::aioFax(1, "Tanaka", "0312"));
    d.StoreCopy(test::aioFax(2, "Sato", "0466"));
    d.StoreCopy(test::aioFax(12, "Kobayashi", "0757"));
    d.StoreCopy(test::group<CAdrGroupAioFax>(1, {1, 2}, "Sales"));
    CAdrMemberPcFax pc = test::pcFax(3, "Tanabe");
    pc.SetFaxNumber("0925");
    d.StoreCopy(pc);
    d.StoreCopy(test::group<CAdrGroupPcFax>(2, {3}, "Branch"));
    return d;
}

}  // namespace test
