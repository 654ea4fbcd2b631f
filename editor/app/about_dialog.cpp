#include "app/about_dialog.h"

#include "text/editor_text.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

// Set by the build.
static_assert(sizeof LINQUARA_WEB_SITE <= 256, "the web address is at most 255 characters");

namespace {

constexpr int kTitlePointSize = 9;
constexpr int kPictureSize = 64;

}  // namespace

QString VersionText(const QString &productVersion) {
    if (productVersion.isEmpty()) return {};
    QString version = productVersion;
    version.replace(QLatin1Char(','), QLatin1Char('.'));
    return lqa::formatText(lqa::ids::VersionFormat, {version});
}

QString CDlgAbout::CompiledVersion() { return QStringLiteral(LINQUARA_PRODUCT_VERSION); }

QUrl CDlgAbout::CompiledWebSite() { return QUrl(QStringLiteral(LINQUARA_WEB_SITE)); }

CDlgAbout::CDlgAbout(QWidget *parent, const QString &productVersion, const QUrl &webSite) : QDialog(parent) {
    setWindowTitle(lqa::loadText(lqa::ids::AboutCaption));

    m_product = new QLabel(lqa::loadText(lqa::ids::ProductName), this);
    QString title = lqa::loadText(lqa::ids::MainFrameTitle);
    title.remove(QLatin1Char('\n'));
    m_title = new QLabel(title + QLatin1Char(' ') + VersionText(productVersion), this);
    QFont bold = font();
    bold.setPointSize(kTitlePointSize);
    bold.setBold(true);
    m_title->setFont(bold);

    auto *buttons = new QDialogButtonBox(this);
    m_webSite = buttons->addButton(lqa::loadText(lqa::ids::WebSiteButton), QDialogButtonBox::ActionRole);
    buttons->addButton(lqa::loadText(lqa::ids::AboutOk), QDialogButtonBox::AcceptRole)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_webSite, &QPushButton::clicked, this, [webSite] { QDesktopServices::openUrl(webSite); });

    auto *lines = new QVBoxLayout;
    lines->addWidget(m_product);
    lines->addWidget(m_title);
    lines->addStretch();
    auto *top = new QHBoxLayout;
    // The picture is the program's icon, when the desktop gave it one.
    const QIcon icon = QApplication::windowIcon();
    if (!icon.isNull()) {
        auto *picture = new QLabel(this);
        picture->setPixmap(icon.pixmap(kPictureSize, kPictureSize));
        top->addWidget(picture, 0, Qt::AlignTop);
    }
    top->addLayout(lines, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
