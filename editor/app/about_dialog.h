// The About box: the machine's name, the program's title with its version in
// bold, and a button that opens the maker's web site.
#pragma once

#include <QDialog>
#include <QString>
#include <QUrl>

class QLabel;
class QPushButton;

// "Version <version>" with every "," of `productVersion` made a "."; empty
// when there is no version.
QString VersionText(const QString &productVersion);

class CDlgAbout : public QDialog {
    Q_OBJECT
public:
    // `productVersion` and `webSite` default to the ones compiled in.
    explicit CDlgAbout(QWidget *parent = nullptr, const QString &productVersion = CompiledVersion(),
                       const QUrl &webSite = CompiledWebSite());

    [[nodiscard]] QLabel *productLine() const { return m_product; }
    [[nodiscard]] QLabel *titleLine() const { return m_title; }
    [[nodiscard]] QPushButton *webSiteButton() const { return m_webSite; }

    static QString CompiledVersion();
    static QUrl CompiledWebSite();

private:
    QLabel *m_product;
    QLabel *m_title;
    QPushButton *m_webSite;
};
